#pragma once

#include <functional>

namespace base {

using Task = std::function<void()>;

}  // namespace base
