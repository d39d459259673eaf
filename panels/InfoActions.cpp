#include "panels/InfoActions.h"

#include "panels/InfoView.h"

namespace panels {

namespace {
constexpr std::int32_t kIntensityCode = 0x10;
constexpr std::int32_t kPauseCode = 0x36;
constexpr std::int32_t kResumeCode = 0x37;

// Record entries come from single bytes; the clamp only keeps a corrupted record from
// overflowing the sum.
std::int64_t sum(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    if (a < -kLimit || a > kLimit || b < -kLimit || b > kLimit) return -1;
    return a + b;
}
}  // namespace

std::optional<InfoCommand> infoCommandForTag(int tag, std::int64_t mainCurrentState) {
    if (tag >= InfoView::kFirstTouchAreaTag && tag <= InfoView::kLastTouchAreaTag) {
        return InfoCommand{static_cast<std::uint8_t>(tag - InfoView::kFirstTouchAreaTag + 1),
                           kIntensityCode};
    }
    if (tag == InfoView::kStartPauseTag) {
        return InfoCommand{std::nullopt, mainCurrentState != 0 ? kPauseCode : kResumeCode};
    }
    return std::nullopt;
}

void showTechniqueSpeedWidth(InfoView& panel, std::span<const std::int64_t, 4> message1,
                             std::span<const std::int64_t, 4> message2) {
    panel.setImageView1(sum(message1[1], message2[1]));
    panel.setImageView2(sum(message1[2], message2[2]));
    panel.setImageView3(sum(message1[3], message2[3]));
}

}  // namespace panels
