#pragma once

#include <QHash>
#include <QString>

namespace mainscreen {

// The text key that names each control whose picture carries no caption, for screen
// readers, by picture stem (see tk::AccessibleNames).
inline const QHash<QString, QString>& controlNameKeys() {
    static const QHash<QString, QString> keys = {
        {"layout_function", "a11yMenu"},           {"layout_power", "a11yPower"},
        {"layout_goback", "a11yGoBack"},           {"layout_general_auto", "a11yAutoKey"},
        {"layout_general_foot_up", "a11yFootUp"},  {"layout_general_foot_down", "a11yFootDown"},
        {"layout_general_heart_up", "a11yBackUp"}, {"layout_general_heart_down", "a11yBackDown"},
        {"manual_skill", "a11yTechniquesPage"},    {"manual_back", "a11yPositionsPage"},
        {"adjust_upper", "a11yPositionUp"},        {"adjust_lower", "a11yPositionDown"},
        {"info_pause", "a11yPauseResume"},         {"info_start", "a11yPauseResume"},
        {"service_path_select", "a11yChooseFile"}, {"setting_volume_lower", "a11yVolumeDown"},
        {"setting_volume_upper", "a11yVolumeUp"},
    };
    return keys;
}

// The text key that names each grade bar, by "<panel class>/<bar name>".
inline const QHash<QString, QString>& barNameKeys() {
    static const QHash<QString, QString> keys = {
        {"panels::ManualView/image1", "a11yPaceBar"},
        {"panels::ManualView/image2", "a11yWidthBar"},
        {"panels::PressureView/image1", "a11yArmPressureBar"},
        {"panels::PressureView/image2", "a11yLowerBodyBar"},
        {"panels::OtherView/image1", "a11yFootRollerBar"},
        {"panels::InfoView/", "a11yIntensityBar"},
    };
    return keys;
}

}  // namespace mainscreen
