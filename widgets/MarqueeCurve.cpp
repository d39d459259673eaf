#include "widgets/MarqueeCurve.h"

#include <QPointF>

namespace widgets {
namespace {

// The classic cubic Béziers of ease-in (0.42, 0) and ease-out (0.58, 1) control points.
QEasingCurve bezier(QPointF c1, QPointF c2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(c1, c2, QPointF(1, 1));
    return curve;
}

}  // namespace

std::optional<AnimationCurve> animationCurveFromOption(int option) {
    switch (option) {
        case static_cast<int>(AnimationCurve::EaseInOut):
        case static_cast<int>(AnimationCurve::EaseIn):
        case static_cast<int>(AnimationCurve::EaseOut):
        case static_cast<int>(AnimationCurve::Linear):
            return static_cast<AnimationCurve>(option);
        default:
            return std::nullopt;
    }
}

QEasingCurve easingFor(AnimationCurve curve) {
    switch (curve) {
        case AnimationCurve::EaseIn:
            return bezier({0.42, 0}, {1, 1});
        case AnimationCurve::EaseOut:
            return bezier({0, 0}, {0.58, 1});
        case AnimationCurve::Linear:
            return QEasingCurve(QEasingCurve::Linear);
        case AnimationCurve::EaseInOut:
            break;
    }
    return bezier({0.42, 0}, {0.58, 1});
}

}  // namespace widgets
