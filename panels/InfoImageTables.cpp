#include "panels/InfoImageTables.h"

namespace panels {

namespace {
// The empty indicator, then "<prefix>1" to "<prefix><count>".
QStringList numbered(const QString& prefix, int count) {
    QStringList names{kEmptyIndicator};
    for (int i = 1; i <= count; ++i) names << prefix + QString::number(i);
    return names;
}
}  // namespace

InfoImageTables InfoImageTables::make() {
    InfoImageTables t;
    t.array1 = {kEmptyIndicator,  "info_beat",      "manualinfo_beat_1", "manualinfo_beat_2",
                "info_takeknead", "info_shiatsu_1", "info_shiatsu_2",    "info_shoulder",
                "info_3d_1",      "info_3d_2",      "info_3d_3",         "info_3d_4"};
    t.array2 = numbered("info_speed_", 5);
    t.array3 = numbered("info_width_", 5);
    t.array4 = {kEmptyIndicator, "info_full", "info_upper", "info_lower", "info_part"};
    t.array5 = {kEmptyIndicator, "info_stretchstatus"};
    t.array6 = numbered("info_armairbags_", 3);
    t.array7 = numbered("info_lowerbody_", 3);
    t.array8 = numbered("info_airbags_", 3);
    t.array9 = numbered("info_legs_", 3);
    t.array10 = numbered("info_footrollers_", 3);
    t.array11 = {kEmptyIndicator, "info_waiststatus"};
    t.array12 = numbered("info_position_", 11);
    for (int i = 0; i <= 5; ++i) t.arrayFirstSpeed << QString("manual_grade_%1").arg(i);
    return t;
}

QString timeDigitImage(int digit) {
    return QString("info_digital_%1").arg(digit);
}

}  // namespace panels
