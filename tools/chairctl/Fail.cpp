#include <ostream>

#include "tools/chairctl/Commands.h"

namespace chairctl {

int fail(std::ostream& err, const std::string& message, int code) {
    err << "chairctl: " << message << '\n';
    return code;
}

}  // namespace chairctl
