#pragma once

#include <array>
#include <optional>

#include <QColor>
#include <QGradientStops>
#include <QLinearGradient>
#include <QSizeF>

namespace widgets {

// Clear, black, black, clear: opaque in the middle, fading out at both edges.
using FadeColors = std::array<QColor, 4>;
FadeColors defaultFadeColors();

// The gradient stops of a fade of `fadeLength` at each edge of a label `width` wide: the
// colours at 0, F/W, 1 − F/W and 1 (kept within the label when the fades would overlap).
QGradientStops fadeMaskStops(double fadeLength, double width, const FadeColors& colors);

// The mask over a label of `size`, in the label's coordinates: a horizontal gradient from the
// left middle to the right middle whose alpha says how much of the text shows. nullopt when
// there is no fade (or no width).
std::optional<QLinearGradient> fadeMaskGradient(double fadeLength, const QSizeF& size,
                                                const FadeColors& colors);

}  // namespace widgets
