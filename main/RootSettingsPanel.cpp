// The settings panel's place on the main screen and the actions of its buttons: the
// language list and the media volume, in tenths.
#include <algorithm>

#include "base/Log.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "service/SettingView.h"

namespace mainscreen {

namespace {
constexpr std::int64_t kOpenedTitle = 8;  // hint 8 with it
constexpr std::int64_t kLanguageTitle = 9;
constexpr std::int64_t kVolumeTitle = 10;

// A server may report more than the normal volume (PulseAudio goes to 150 %); the steps run
// from 0 to the normal volume, so such a value counts as the top.
double readVolume(const tk::MediaVolume* player) {
    return player ? std::clamp(double(player->volume()), 0.0, 1.0) : 0.0;
}
}  // namespace

void RootViewController::settingBtnAction() {
    if (workingArea_.shows(WorkingArea::Occupant::Settings)) {
        closeSettingsPanel();
        return;
    }
    removeAllView();
    hideMenuView();
    workingArea_.showSettings();
    if (menuView_) menuView_->setBtnSel(MenuView::kNoEntry);

    auto* panel = new service::SettingView(service::SettingView::frameFor(env_.runtime),
                                           panelContext(), view());
    tk::setTag(panel, kSettingsPanelTag);
    panel->show();
    panel->setLanguageForModeView(languageFlag_);
    panel->tableView()->setSource(&languageList_);
    panel->tableView()->reloadData();
    setWindowTitle(kOpenedTitle, languageFlag_);
    changeHintLabel(kOpenedTitle, languageFlag_);
    for (int tag = 1; tag <= service::SettingView::kGoBackTag; ++tag) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag)) {
            button->addAction(tk::TouchUpInside,
                              [this](tk::ImageButton& b) { settingViewAction(b); });
        }
    }
}

void RootViewController::closeSettingsPanel() {
    removeViewWithTag(kSettingsPanelTag);
    workingArea_.closeServiceOrSettings();
    hideViewWithTag(kAdjustPanelTag, false);
    hideViewWithTag(kInfoPanelTag, false);
    if (titleLabel_) titleLabel_->setText("");
}

void RootViewController::settingViewAction(tk::ImageButton& sender) {
    using service::SettingView;
    auto* panel = viewWithTag<SettingView>(kSettingsPanelTag);
    if (!panel) return;
    const int tag = tk::tagOf(&sender);
    tk::MediaVolume* player = applicationMusicPlayer_.get();
    switch (tag) {
        case SettingView::kLanguageTag:
            base::log("1");
            panel->setChoiceSel(SettingView::kLanguageTag);
            panel->hideSound();
            panel->showLanguageView();
            setWindowTitle(kLanguageTitle, languageFlag_);
            changeHintLabel(kLanguageTitle, languageFlag_);
            break;
        case SettingView::kVolumeTag:
            base::log("2");
            panel->setChoiceSel(SettingView::kVolumeTag);
            panel->showSound();
            panel->hideLanguageView();
            setWindowTitle(kVolumeTitle, languageFlag_);
            changeHintLabel(kVolumeTitle, languageFlag_);
            // Only shown: the volume itself stays as it is.
            panel->setVolumn(SettingView::snapToTenths(readVolume(player)));
            break;
        case SettingView::kDownTag:
        case SettingView::kUpTag: {
            base::log(tag == SettingView::kDownTag ? "sub" : "add");
            const double step = tag == SettingView::kDownTag ? -0.1 : 0.1;
            // Snapping keeps the result within 0 and 10 tenths.
            const int tenths = SettingView::snapToTenths(readVolume(player) + step);
            if (player) player->setVolume(float(tenths / 10.0));
            panel->setVolumn(tenths);
            break;
        }
        case SettingView::kGoBackTag:
            closeSettingsPanel();
            break;
        default:
            break;
    }
}

}  // namespace mainscreen
