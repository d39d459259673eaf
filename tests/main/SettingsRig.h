#pragma once

#include <string>

#include "main/ViewTags.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/Tag.h"
#include "service/SettingView.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace settingstest {

using service::SettingView;

// The whole app with the settings panel's controls at hand; texts as standard strings, so
// failures print as text.
struct SettingsRig : screentest::ScreenRig {
    using ScreenRig::ScreenRig;

    tk::ImageButton* settingsButton() { return named(mainscreen::kSettingsButtonName); }
    SettingView* panel() { return root().viewWithTag<SettingView>(mainscreen::kSettingsPanelTag); }
    QWidget* part(int tag) { return panel() ? tk::viewWithTag(panel(), tag) : nullptr; }
    std::string controlPicture(int tag) {
        auto* b = qobject_cast<tk::ImageButton*>(part(tag));
        return b ? b->backgroundImage().name().toStdString() : "(none)";
    }
    std::string caption(int tag) {
        auto* label = qobject_cast<tk::Label*>(part(tag));
        return label ? label->text().toStdString() : "(none)";
    }
    std::string volumePicture() { return panel()->imagView1()->image().name().toStdString(); }
    std::string title() { return root().titleLabel()->text().toStdString(); }
    std::string hint() { return root().hintLine()->text().toStdString(); }

    void open() {
        tap(settingsButton());
        ASSERT_NE(panel(), nullptr);
    }
    void press(int tag) { tap(qobject_cast<tk::ImageButton*>(part(tag))); }

    // The media volume as another program would set it, and as the app reads it.
    void volumeIs(float volume) { world->mediaVolume()->setVolume(volume); }
    float volume() { return root().applicationMusicPlayer()->volume(); }
};

}  // namespace settingstest
