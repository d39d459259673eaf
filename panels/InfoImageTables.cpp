#include "panels/InfoImageTables.h"

#include <QHash>

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

QString statusText(const QString& picture, const QMap<QString, QString>& words) {
    // Picture names, or the stems of numbered ones, with the caption key that names them.
    static const QHash<QString, QString> kKeys = {
        {"info_beat", "flap"},
        {"manualinfo_beat", "flap"},
        {"info_takeknead", "knead"},
        {"info_shiatsu", "shiatsu"},
        {"info_shoulder", "shouldergrasp"},
        {"info_3d", "3DMassage"},
        {"info_speed", "speed"},
        {"info_width", "width"},
        {"info_full", "fullback"},
        {"info_upper", "upperback"},
        {"info_lower", "lowerback"},
        {"info_part", "partial"},
        {"info_stretchstatus", "legstretch"},
        {"info_armairbags", "arm"},
        {"info_lowerbody", "lower"},
        {"info_airbags", "waistbutt"},
        {"info_legs", "foot"},
        {"info_footrollers", "rolleronsole"},
        {"info_waiststatus", "heatfunction"},
        {"info_position", "a11yPosition"},
    };
    const qsizetype cut = picture.lastIndexOf('_');
    bool graded = false;
    const int grade = cut > 0 ? picture.mid(cut + 1).toInt(&graded) : 0;
    const QString key = kKeys.value(graded ? picture.left(cut) : picture);
    const QString text = words.value(key).simplified();
    if (text.isEmpty()) return QString();
    return graded ? QString("%1 %2").arg(text).arg(grade) : text;
}

}  // namespace panels
