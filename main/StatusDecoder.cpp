#include "main/StatusDecoder.h"

#include "base/Log.h"
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

void StatusDecoder::apply(const Report& r) {
    using chairlink::StatusKind;
    if (r.kind == StatusKind::TooLong) {
        base::log(base::format("status: %zu bytes are too many to decode", r.length));
        return;
    }
    adjust_ = root_.viewWithTag<panels::AdjustView>(kAdjustPanelTag);
    auto_ = root_.viewWithTag<panels::AutoView>(kAutoPanelTag);
    info_ = root_.viewWithTag<panels::InfoView>(kInfoPanelTag);
    manual_ = root_.viewWithTag<panels::ManualView>(kManualPanelTag);
    pressure_ = root_.viewWithTag<panels::PressureView>(kPressurePanelTag);
    other_ = root_.viewWithTag<panels::OtherView>(kOtherPanelTag);

    switch (r.kind) {
        case StatusKind::RunningState:
            runningState(r);
            break;
        case StatusKind::AutoProgramme:
            autoProgramme(r);
            break;
        case StatusKind::ManualMassage:
            manualMassage(r);
            break;
        case StatusKind::AirPressure:
            airPressure(r);
            break;
        case StatusKind::OtherFunctions:
            otherFunctions(r);
            break;
        case StatusKind::QuickKey:
            root_.layoutBtnSel(r.d1());
            break;
        case StatusKind::Service:
            service(r);
            break;
        case StatusKind::CommandEcho:
            if (r.answersLinkCheck()) linkCheckAnswered();
            break;
        case StatusKind::UpdateResult:
            if (r.updateSucceeded()) updateSucceeded();
            break;
        default:
            break;  // acknowledged by the drain, otherwise ignored
    }
}

void StatusDecoder::autoProgramme(const Report& r) {
    root_.message1() = {r.d1(), r.d2(), r.d3(), r.d4()};
    root_.message4()[1] = r.d1();
    if (!root_.workingArea().held()) {
        const std::int64_t programme = r.d1();
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
    if (auto_) auto_->setBtnSel(r.d1());
}

void StatusDecoder::manualMassage(const Report& r) {
    root_.message2() = {r.d1(), r.d2(), r.d3(), r.d4()};
    if (!root_.workingArea().held() && (r.d1() != 0 || r.d2() != 0)) {
        showTitle(kManualChoiceTitle);
        showHint(kManualHint);
    }
    if (!(info_ && info_->isHidden())) {
        if (info_) info_->setImageView4(r.d1());
        root_.notifications().post(panels::InfoView::kMessageName);
    }
    // Whichever page is shown: a hidden control still follows the chair.
    if (manual_) {
        manual_->setBtnSel(r.d2());
        manual_->setSpeedImage(r.d3());
        manual_->setWidthImage(r.d4());
        manual_->setBtnSel1(r.d1());
    }
}

void StatusDecoder::airPressure(const Report& r) {
    root_.message3() = {r.d1(), r.d2(), r.d3(), r.d4()};
    if (info_) {
        info_->setImageView7(r.d1());
        info_->setImageView9(r.d4());
        info_->setImageView8(r.d3(), r.d2());
    }
    if (pressure_) {
        pressure_->setBtnSel1(r.d1());
        pressure_->setBtnSel(r.d2());
        pressure_->setStrengthImage1(r.d3());
        pressure_->setBtnSel15(r.d4());
    }
}

void StatusDecoder::otherFunctions(const Report& r) {
    root_.message4()[0] = r.d1();
    root_.message4()[2] = r.d3();
    if (info_) {
        info_->setImageView10(r.d1());
        info_->setImageView11(r.d3());
    }
    if (other_) {
        other_->setBtnSel1(r.d1());
        // The memories follow the programme the last automatic-programme frame reported.
        other_->setABCSel(static_cast<std::uint64_t>(root_.message4()[1]));
        other_->setHeatBtnSel(r.d3());
    }
}

void StatusDecoder::service(const Report& r) {
    root_.message5()[0] = r.d1();
    root_.message5()[1] = r.d2();
    if (auto* panel = root_.viewWithTag<service::ServiecesView>(kServicePanelTag)) {
        panel->setStartPause(r.d1());
        panel->setBtnSel(r.d2());
    }
    if (r.answersLinkCheck()) linkCheckAnswered();
}

void StatusDecoder::linkCheckAnswered() {
    // Stop polling the chair and let a file be chosen.
    if (auto* panel = root_.viewWithTag<service::ServiecesView>(kServicePanelTag)) {
        panel->setTestingBtn(1);
        panel->setCheckState(1);
    }
    showHint(kLinkCheckedHint);
    root_.setCurrentService(0);
    if (auto* timer = root_.serviceTimer()) timer->pause();
}

void StatusDecoder::updateSucceeded() {
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
