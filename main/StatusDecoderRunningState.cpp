// The running-state frame: chair mode D1, remaining minutes D2, position D3, intensity D4.
// The Adjust panel's presence at the start of the run decides which table applies.
#include "base/Log.h"
#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/StatusDecoder.h"
#include "main/ViewTags.h"
#include "panels/AdjustView.h"
#include "panels/InfoView.h"

namespace mainscreen {

namespace {
enum ChairMode : std::uint8_t {
    kOff = 0,
    kMeasuring1 = 1,
    kMeasuring2 = 2,
    kAdjusting = 3,
    kRunning = 4,
    kPaused = 5,
};

constexpr std::int64_t kOffTitle = 0;
constexpr std::int64_t kMeasuringTitle = 1;
constexpr std::int64_t kAdjustingTitle = 2;
constexpr std::int64_t kPausedTitle = 18;
constexpr std::int64_t kPausedHint = 13;
}  // namespace

void StatusDecoder::runningState(const Report& r) {
    const bool adjustFound = adjust_ != nullptr;
    if (adjustFound) {
        runningStateWithAdjust(r);
    } else {
        runningStateWithoutAdjust(r);
    }
    if (info_) {
        info_->setSpeedImage(r.d4());
        info_->setTimeImageView(r.d2());
        info_->setImageView12(r.d3());
    }
}

void StatusDecoder::chairOff(bool keepTitleForServiceOrSettings) {
    root_.removeAllViewTrue();
    root_.setPowerBtnState(0);
    if (auto* menu = root_.menuView()) menu->setBtnSel(MenuView::kNoEntry);
    root_.setCurrentState(0);
    root_.workingArea().chairWentOff();
    root_.setPowerState(0);
    if (!keepTitleForServiceOrSettings) {
        showTitle(kOffTitle);
        showHint(0);
    }
}

void StatusDecoder::runningStateWithAdjust(const Report& r) {
    switch (r.d1()) {
        case kOff:
            chairOff(false);
            break;
        case kMeasuring1:
        case kMeasuring2:
        case kAdjusting: {
            const bool measuring = r.d1() != kAdjusting;
            powerOn();
            if (measuring) {
                adjust_->hideControlBtn();
            } else {
                adjust_->showControlBtn();
            }
            root_.setCurrentState(0);
            root_.setPowerState(1);
            if (root_.workingArea().held()) {
                adjust_->hide();
            } else {
                showTitle(measuring ? kMeasuringTitle : kAdjustingTitle);
                showHint(measuring ? 1 : 2);
            }
            break;
        }
        case kRunning:
            // The first of two frames: the Adjust panel goes and the Info panel comes; the
            // next frame finds no Adjust panel and shows the Info panel running.
            powerOn();
            root_.removeViewWithTag(kAdjustPanelTag);
            root_.setCurrentState(1);
            root_.setPowerState(1);
            bringUpInfoPanel();
            break;
        case kPaused:
            powerOn();
            break;
        default:
            break;
    }
    if (adjust_) adjust_->setImageGradeState(r.d3());
}

void StatusDecoder::runningStateWithoutAdjust(const Report& r) {
    switch (r.d1()) {
        case kOff:
            chairOff(root_.workingArea().serviceOrSettingsOpened());
            break;
        case kMeasuring1:
        case kMeasuring2:
        case kAdjusting: {
            const bool measuring = r.d1() != kAdjusting;
            root_.InitWithAdjustView();
            auto* made = root_.viewWithTag<panels::AdjustView>(kAdjustPanelTag);
            powerOn();
            if (made) {
                if (measuring) {
                    made->hideControlBtn();
                } else {
                    made->showControlBtn();
                }
            }
            root_.setCurrentState(0);
            root_.setPowerState(1);
            if (root_.workingArea().held()) {
                if (made) made->hide();
            } else {
                // The hint stays: the chair's earlier state chose it.
                showTitle(measuring ? kMeasuringTitle : kAdjustingTitle);
            }
            break;
        }
        case kRunning:
            powerOn();
            root_.setCurrentState(1);
            root_.setPowerState(1);
            bringUpInfoPanel();
            if (info_) {
                info_->setLanguageForModeView(root_.languageFlag());
                info_->setStartPause(1);
            }
            break;
        case kPaused:
            bringUpInfoPanel();
            if (info_) {
                info_->setLanguageForModeView(root_.languageFlag());
                info_->setStartPause(0);
            }
            if (!root_.workingArea().held()) {
                showTitle(kPausedTitle);
                showHint(kPausedHint);
            }
            root_.setCurrentState(0);
            root_.setPowerState(1);
            break;
        default:
            break;
    }
}

void StatusDecoder::bringUpInfoPanel() {
    if (!info_) root_.initWithInfoView();
    if (root_.workingArea().held()) {
        info_ = root_.viewWithTag<panels::InfoView>(kInfoPanelTag);
        if (info_) info_->hide();
    }
}

}  // namespace mainscreen
