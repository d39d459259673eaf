// Any text as the input of `chairctl receive`: each line hex bytes the chair notifies, or
// hold / drain. Checked on every input: it ends with 0, or with the usage code and one
// error line; the link itself never fails.
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "tools/chairctl/Commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    const int code = chairctl::runReceive({}, {in, out, err});
    fuzz::check(code == 0 || code == chairctl::kUsage, "receive failed on its own");
    if (code == chairctl::kUsage) {
        const std::string line = err.str();
        fuzz::check(line.rfind("chairctl: line ", 0) == 0 && line.find('\n') == line.size() - 1,
                    "not one error line");
    }
    return 0;
}
