#include "main/toolkit/Fonts.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace tk {

namespace {
int pixels(double size) {
    if (!std::isfinite(size)) return 1;
    return std::clamp(static_cast<int>(std::lround(size)), 1, 1000);
}
}  // namespace

QFont Fonts::system(double size) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixels(size));
    return font;
}

QFont Fonts::boldSystem(double size) {
    QFont font = system(size);
    font.setBold(true);
    return font;
}

QFont Fonts::named(const QString& name, double size) {
    const int dash = name.indexOf('-');
    const QString family = dash > 0 ? name.left(dash) : name;
    const QString style = dash > 0 ? name.mid(dash + 1).toLower() : QString();
    QFont font = family.isEmpty() ? system(size) : QFont(family);
    // Unknown families resolve to a similar sans-serif face instead of an arbitrary one.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels(size));
    if (style.contains("bold")) font.setBold(true);
    if (style.contains("oblique") || style.contains("italic")) font.setItalic(true);
    return font;
}

}  // namespace tk
