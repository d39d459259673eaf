#include "widgets/FadeMask.h"

#include <algorithm>

namespace widgets {

FadeColors defaultFadeColors() {
    return {QColor(Qt::transparent), QColor(Qt::black), QColor(Qt::black), QColor(Qt::transparent)};
}

QGradientStops fadeMaskStops(double fadeLength, double width, const FadeColors& colors) {
    const double edge = width > 0 ? std::clamp(fadeLength / width, 0.0, 0.5) : 0.0;
    return {{0.0, colors[0]}, {edge, colors[1]}, {1.0 - edge, colors[2]}, {1.0, colors[3]}};
}

std::optional<QLinearGradient> fadeMaskGradient(double fadeLength, const QSizeF& size,
                                                const FadeColors& colors) {
    if (fadeLength <= 0 || size.width() <= 0) return std::nullopt;
    const double middle = size.height() / 2;
    QLinearGradient gradient(0, middle, size.width(), middle);
    gradient.setStops(fadeMaskStops(fadeLength, size.width(), colors));
    return gradient;
}

}  // namespace widgets
