#pragma once

namespace mainscreen {

// Tags of the main screen's controls that are looked up again from its root view. Small
// tags inside a panel or the menu are the panel's own business.
inline constexpr int kPowerButtonTag = 50;
inline constexpr int kMenuCaptionTag = 70;
inline constexpr int kServiceCaptionTag = 71;
inline constexpr int kSettingCaptionTag = 72;
inline constexpr int kLogoTag = 80;
inline constexpr int kBackgroundTag = 81;
inline constexpr int kHintLineTag = 110;
inline constexpr int kAutoKeyTag = 200;
// The quick keys from the top: the auto key, then the hold keys tagged 2 to 5.
inline constexpr int kQuickKeyCount = 5;
constexpr int quickKeyTag(int index) {
    return index == 0 ? kAutoKeyTag : index + 1;
}

// Panels in the working area.
inline constexpr int kAutoPanelTag = 100;
inline constexpr int kManualPanelTag = 101;
inline constexpr int kPressurePanelTag = 102;
inline constexpr int kOtherPanelTag = 103;
inline constexpr int kSettingsPanelTag = 104;
inline constexpr int kAdjustPanelTag = 105;
inline constexpr int kInfoPanelTag = 106;
inline constexpr int kServicePanelTag = 107;

// Object names of the three untagged buttons, so script mode and tests can find them.
inline constexpr const char* kMenuButtonName = "menu-button";
inline constexpr const char* kServiceButtonName = "service-button";
inline constexpr const char* kSettingsButtonName = "settings-button";

}  // namespace mainscreen
