#pragma once

#include <optional>

#include <QEasingCurve>

namespace widgets {

// The four timing curves a scroll can follow, by their option values.
enum class AnimationCurve : int {
    EaseInOut = 0,
    EaseIn = 0x10000,
    EaseOut = 0x20000,
    Linear = 0x30000,
};

// nullopt for a value that names none of the four curves.
std::optional<AnimationCurve> animationCurveFromOption(int option);

QEasingCurve easingFor(AnimationCurve curve);

}  // namespace widgets
