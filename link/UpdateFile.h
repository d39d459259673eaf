#pragma once

#include <optional>
#include <string>

#include "link/FrameFormat.h"

namespace chairlink {

// An update file read whole, or why it was refused. The app's file chooser and chairctl
// refuse the same files for the same reasons.
struct UpdateFile {
    enum class Refusal { None, Empty, Unreadable, TooLarge };
    std::optional<Bytes> bytes;
    Refusal refusal = Refusal::Unreadable;
};

// Reads `path` unless it is no regular file, unreadable, empty or larger than
// kLargestUpdateFile; its size is checked before anything is read, and a file that grows
// while it is read is refused too.
UpdateFile readUpdateFile(const std::string& path);

}  // namespace chairlink
