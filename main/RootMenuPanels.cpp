// What the menu's panels share on the main screen: their place in the working area, their
// wiring and the sending of a press.
#include <string>

#include "base/Log.h"
#include "link/EADSessionController.h"
#include "main/RootViewController.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"

namespace mainscreen {

void RootViewController::installMenuPanel(QWidget* panel, int tag, int lastTag,
                                          void (RootViewController::*action)(tk::ImageButton&)) {
    tk::setTag(panel, tag);
    panel->show();
    for (int control = 1; control <= lastTag; ++control) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(panel, control)) {
            button->addAction(tk::TouchUpInside,
                              [this, action](tk::ImageButton& b) { (this->*action)(b); });
        }
    }
}

bool RootViewController::sendPanelCommand(int tag,
                                          const std::optional<panels::PanelCommand>& command) {
    clearInfoViewByTen();
    UpdateInfoViewByTen();
    base::log(std::to_string(tag));
    if (!command) return false;
    // The value is stored even while the link is down; the frame then goes nowhere.
    if (sessionController_) {
        auto& session = *sessionController_;
        switch (command->setting) {
            case panels::ChairSetting::None:
                break;
            case panels::ChairSetting::HandSpeed:
                session.setHandSpeed(command->value);
                break;
            case panels::ChairSetting::HandWidth:
                session.setHandWidth(command->value);
                break;
            case panels::ChairSetting::ArmPressureIntensity:
                session.setArmPressureIntensity(command->value);
                break;
            case panels::ChairSetting::LowerPressureIntensity:
                session.setLowerPressureIntensity(command->value);
                break;
            case panels::ChairSetting::LowerPressureStatus:
                session.setLowerPressureStatus(command->value);
                break;
            case panels::ChairSetting::FootRollerSpeed:
                session.setFootRollerSpeed(command->value);
                break;
        }
    }
    send(command->code);
    return true;
}

}  // namespace mainscreen
