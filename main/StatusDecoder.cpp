#include "main/StatusDecoder.h"

#include <algorithm>

#include "base/Log.h"
#include "link/StatusFrames.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "panels/AdjustView.h"
#include "panels/AutoView.h"
#include "panels/InfoView.h"
#include "panels/ManualView.h"
#include "panels/OtherView.h"
#include "panels/PressureView.h"
#include "service/ServiecesView.h"

namespace mainscreen {

namespace {
// A chunk this long is acknowledged but never decoded.
constexpr std::size_t kLongestDecodedChunk = 255;

// Title and hint indices of the decoder's own texts.
constexpr std::int64_t kManualChoiceTitle = 11;
constexpr std::int64_t kFirstProgrammeTitle = 12;  // programmes 1 to 6: titles 12 to 17
constexpr std::int64_t kFirstMemoryTitle = 20;     // programmes 7 to 10: titles 20 to 23
constexpr std::int64_t kOtherProgrammeTitle = 24;
constexpr std::int64_t kProgrammeHint = 11;
constexpr std::int64_t kManualHint = 12;
constexpr std::int64_t kLinkCheckedHint = 15;
constexpr std::int64_t kUpdateDoneHint = 18;
}  // namespace

void StatusDecoder::decode(std::span<const std::uint8_t> frame) {
    if (frame.size() > kLongestDecodedChunk) {
        base::log(base::format("status: %zu bytes are too many to decode", frame.size()));
        return;
    }
    // A zeroed work area, so a chunk shorter than a frame reads zeros, never past its end.
    std::array<std::uint8_t, 7> work{};
    std::copy_n(frame.begin(), std::min(frame.size(), work.size()), work.begin());
    const Fields f{work[2], work[3], work[4], work[5], work[6]};

    adjust_ = root_.viewWithTag<panels::AdjustView>(kAdjustPanelTag);
    auto_ = root_.viewWithTag<panels::AutoView>(kAutoPanelTag);
    info_ = root_.viewWithTag<panels::InfoView>(kInfoPanelTag);
    manual_ = root_.viewWithTag<panels::ManualView>(kManualPanelTag);
    pressure_ = root_.viewWithTag<panels::PressureView>(kPressurePanelTag);
    other_ = root_.viewWithTag<panels::OtherView>(kOtherPanelTag);

    switch (f.type) {
        case chairlink::kRunningStateType:
            runningState(f);
            break;
        case chairlink::kAutoProgrammeType:
            autoProgramme(f);
            break;
        case chairlink::kManualMassageType:
            manualMassage(f);
            break;
        case chairlink::kAirPressureType:
            airPressure(f);
            break;
        case chairlink::kOtherFunctionsType:
            otherFunctions(f);
            break;
        case chairlink::kQuickKeyType:
            root_.layoutBtnSel(f.b3);
            break;
        case chairlink::kServiceType:
            service(f);
            break;
        case chairlink::kCommandEchoType:
            commandEcho(f.b3);
            break;
        case chairlink::kUpdateResultType:
            updateResult(f.b3);
            break;
        default:
            break;  // acknowledged by the drain, otherwise ignored
    }
}

void StatusDecoder::autoProgramme(const Fields& f) {
    root_.message1() = {f.b3, f.b4, f.b5, f.b6};
    root_.message4()[1] = f.b3;
    if (!root_.menuFlag()) {
        const std::int64_t programme = f.b3;
        if (programme == 0) {
            // Between programmes while something runs: a manual massage.
            if (root_.currentState() != 0) {
                showTitle(kManualChoiceTitle);
                showHint(kManualHint);
            }
        } else {
            if (programme <= 6) {
                showTitle(kFirstProgrammeTitle + programme - 1);
            } else if (programme <= 10) {
                showTitle(kFirstMemoryTitle + programme - 7);
            } else {
                showTitle(kOtherProgrammeTitle);
            }
            showHint(kProgrammeHint);
        }
    }
    if (auto_) auto_->setBtnSel(f.b3);
}

void StatusDecoder::manualMassage(const Fields& f) {
    root_.message2() = {f.b3, f.b4, f.b5, f.b6};
    if (!root_.menuFlag() && (f.b3 != 0 || f.b4 != 0)) {
        showTitle(kManualChoiceTitle);
        showHint(kManualHint);
    }
    if (!(info_ && info_->isHidden())) {
        if (info_) info_->setImageView4(f.b3);
        root_.notifications().post(panels::InfoView::kMessageName);
    }
    // Whichever page is shown: a hidden control still follows the chair.
    if (manual_) {
        manual_->setBtnSel(f.b4);
        manual_->setSpeedImage(f.b5);
        manual_->setWidthImage(f.b6);
        manual_->setBtnSel1(f.b3);
    }
}

void StatusDecoder::airPressure(const Fields& f) {
    root_.message3() = {f.b3, f.b4, f.b5, f.b6};
    if (info_) {
        info_->setImageView7(f.b3);
        info_->setImageView9(f.b6);
        info_->setImageView8(f.b5, f.b4);
    }
    if (pressure_) {
        pressure_->setBtnSel1(f.b3);
        pressure_->setBtnSel(f.b4);
        pressure_->setStrengthImage1(f.b5);
        pressure_->setBtnSel15(f.b6);
    }
}

void StatusDecoder::otherFunctions(const Fields& f) {
    root_.message4()[0] = f.b3;
    root_.message4()[2] = f.b5;
    if (info_) {
        info_->setImageView10(f.b3);
        info_->setImageView11(f.b5);
    }
    if (other_) {
        other_->setBtnSel1(f.b3);
        // The memories follow the programme the last automatic-programme frame reported.
        other_->setABCSel(static_cast<std::uint64_t>(root_.message4()[1]));
        other_->setHeatBtnSel(f.b5);
    }
}

void StatusDecoder::service(const Fields& f) {
    root_.message5()[0] = f.b3;
    root_.message5()[1] = f.b4;
    if (auto* panel = root_.viewWithTag<service::ServiecesView>(kServicePanelTag)) {
        panel->setStartPause(f.b3);
        panel->setBtnSel(f.b4);
    }
    commandEcho(f.b3);
}

void StatusDecoder::commandEcho(std::uint8_t value) {
    if (value != chairlink::kLinkCheckEcho) return;
    // The chair answered the link check: stop polling it and let a file be chosen.
    if (auto* panel = root_.viewWithTag<service::ServiecesView>(kServicePanelTag)) {
        panel->setTestingBtn(1);
        panel->setCheckState(1);
    }
    showHint(kLinkCheckedHint);
    root_.setCurrentService(0);
    if (auto* timer = root_.serviceTimer()) timer->pause();
}

void StatusDecoder::updateResult(std::uint8_t value) {
    if (value != chairlink::kUpdateSucceeded) return;
    root_.runtime().delayedCalls().cancelPrevious(&root_, kUpdateResultCall);
    showHint(kUpdateDoneHint);
    base::log("success");
}

void StatusDecoder::powerOn() {
    root_.setPowerBtnState(1);
}

void StatusDecoder::showTitle(std::int64_t index) {
    root_.setWindowTitle(index, root_.languageFlag());
}

void StatusDecoder::showHint(std::int64_t index) {
    root_.changeHintLabel(index, root_.languageFlag());
}

}  // namespace mainscreen
