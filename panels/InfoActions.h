#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace panels {

class InfoView;

// What a press on the Info panel asks of the chair: the intensity touch areas store the
// upper intensity first, then send code 16; the start/pause button pauses a running
// programme (54) and resumes anything else (55).
struct InfoCommand {
    std::optional<std::uint8_t> uppperIntensity;
    std::int32_t code = 0;
};

// Nothing for a tag that is no Info control. `mainCurrentState` is the main screen's
// running state, not the panel's.
std::optional<InfoCommand> infoCommandForTag(int tag, std::int64_t mainCurrentState);

// The main screen's infoNotification on the panel: technique, speed and width are the sums
// of the automatic and manual records (one of the two is 0 while the other runs); a sum
// outside a table leaves that indicator alone.
void showTechniqueSpeedWidth(InfoView& panel, std::span<const std::int64_t, 4> message1,
                             std::span<const std::int64_t, 4> message2);

}  // namespace panels
