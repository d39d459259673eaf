// Every value of every field of every status frame, through the decoder with each panel open
// in turn: nothing crashes, nothing reads outside a table (the sanitizer builds watch), no
// picture is ever set to a name the app does not have, and none that showed is blanked.
#include <gtest/gtest.h>

#include <QPointer>
#include <random>

#include "DecoderRig.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::Bytes;

// The known types and one that means nothing.
const std::uint8_t kLongTypes[] = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0x42};
const std::uint8_t kShortTypes[] = {0x01, 0xA5, 0x42};

TEST(EveryValue, OneFieldAtATimeAndAtRandomWithEachPanelOpen) {
    decodertest::DecoderRig rig;
    std::mt19937 random(1207);
    int frames = 0;
    // What showed before the frame; a view that left the screen is no longer looked at.
    std::vector<std::pair<QPointer<QWidget>, QString>> shown;
    const auto decode = [&](const Bytes& frame) {
        rig.root->statusFrameReceived(frame);
        rig.dispatch.settle();
        ++frames;
        const QStringList unknown = rig.unknownPictures();
        ASSERT_TRUE(unknown.isEmpty())
            << unknown.join(", ").toStdString() << " after " << chairlink::upperHexPairs(frame);
        const auto now = rig.pictures();
        for (const auto& [view, name] : shown) {
            ASSERT_TRUE(name.isEmpty() || !now.contains(view) || !now.value(view).isEmpty())
                << tk::tagOf(view) << " \"" << name.toStdString() << "\" blanked by "
                << chairlink::upperHexPairs(frame);
        }
        shown.clear();
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            shown.emplace_back(const_cast<QWidget*>(it.key()), it.value());
    };
    for (int panel : decodertest::DecoderRig::kOpenablePanels) {
        SCOPED_TRACE(panel);
        rig.openPanel(panel);
        shown.clear();  // opening a panel is no frame's doing
        for (std::uint8_t type : kLongTypes) {
            for (int field = 0; field < 4; ++field) {
                for (int value = 0; value < 256; ++value) {
                    std::uint8_t d[4] = {1, 1, 1, 1};
                    d[field] = static_cast<std::uint8_t>(value);
                    decode(chairlink::makeLongStatusFrame(type, d[0], d[1], d[2], d[3]));
                    if (testing::Test::HasFatalFailure()) return;
                }
            }
        }
        for (std::uint8_t type : kShortTypes) {
            for (int value = 0; value < 256; ++value) {
                decode(chairlink::makeShortStatusFrame(type, static_cast<std::uint8_t>(value)));
                if (testing::Test::HasFatalFailure()) return;
            }
        }
        // Fields together, where one table's index may meet another's.
        for (int n = 0; n < 1000; ++n) {
            const auto b = [&] { return static_cast<std::uint8_t>(random() % 256); };
            decode(chairlink::makeLongStatusFrame(kLongTypes[random() % 8], b(), b(), b(), b()));
            if (testing::Test::HasFatalFailure()) return;
        }
    }
    EXPECT_GT(frames, 60000);
}

}  // namespace
