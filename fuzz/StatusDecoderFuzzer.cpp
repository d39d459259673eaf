// Status frames of any type and content through the decoder of the real main screen (headless,
// manual clock), with the panel the input picks open. Checked on every input: nothing crashes
// or reads outside a table (the sanitizers watch) and every picture on screen is one the app
// has. The screen lives on from input to input, as it does while the chair talks.
#include "DecoderRig.h"

#include <memory>

#include "FuzzCheck.h"
#include "QtFuzzApp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::qtApplication();
    static auto* rig = fuzz::keptUntilExit(new decodertest::DecoderRig());
    fuzz::InputReader input(data, size);
    std::uint8_t panel = 0;
    if (!input.next(panel)) return 0;
    constexpr std::size_t kPanels = std::size(decodertest::DecoderRig::kOpenablePanels);
    rig->openPanel(decodertest::DecoderRig::kOpenablePanels[panel % kPanels]);
    // Each frame: a length byte (odd: short) and then its type and data bytes.
    for (std::uint8_t shape = 0; input.next(shape);) {
        const bool isShort = shape & 1;
        std::uint8_t b[5] = {};
        for (std::uint8_t& field : isShort ? std::span(b, 2) : std::span(b, 5))
            if (!input.next(field)) break;
        rig->root->statusFrameReceived(
            isShort ? chairlink::makeShortStatusFrame(b[0], b[1])
                    : chairlink::makeLongStatusFrame(b[0], b[1], b[2], b[3], b[4]));
        rig->dispatch.settle();
    }
    // Time moves too: the delayed calls and timers the frames started.
    rig->rt.clock.advance(0.5);
    fuzz::check(rig->unknownPictures().isEmpty(), "a picture the app does not have");
    rig->logs.clear();
    return 0;
}
