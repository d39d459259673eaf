#pragma once

#include <string>

#include "link/FrameFormat.h"

namespace chairctl {

// One status frame's report in words, e.g. "running state mode=4 (running) minutes=15
// position=6 intensity=3". Short frames carry only D1. The bytes come from the chair: any
// value is printed, and only known values get a name.
std::string describeStatusFrame(const chairlink::Bytes& frame);

}  // namespace chairctl
