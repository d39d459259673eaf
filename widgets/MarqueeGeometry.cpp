#include "widgets/MarqueeGeometry.h"

#include <cmath>

namespace widgets {
namespace {

// The second copy trails the main one to the right for Continuous, to the left for the reverse.
double copyDirection(MarqueeType type) {
    return type == MarqueeType::ContinuousReverse ? -1 : 1;
}

}  // namespace

MarqueeType effectiveMarqueeType(int value) {
    switch (value) {
        case 1:
            return MarqueeType::RightLeft;
        case 2:
            return MarqueeType::Continuous;
        case 3:
            return MarqueeType::ContinuousReverse;
        default:
            return MarqueeType::LeftRight;
    }
}

bool isContinuous(MarqueeType type) {
    return type == MarqueeType::Continuous || type == MarqueeType::ContinuousReverse;
}

bool textNeedsScrolling(const MarqueeMetrics& m) {
    const double fades = m.type == MarqueeType::Continuous ? 2 * m.fade : m.fade;
    return m.width < m.textWidth + fades;
}

MarqueeFrames stillFrames(const MarqueeMetrics& m) {
    const QRectF box = integralRect(QRectF(m.fade, 0, m.width - 2 * m.fade, m.height));
    return {box, box};
}

MarqueeFrames scrollFrames(const MarqueeMetrics& m) {
    const double T = m.textWidth, F = m.fade, W = m.width, B = m.buffer;
    const QRectF left(F, 0, T, m.height);
    const QRectF right(W - (T + F), 0, T, m.height);
    switch (m.type) {
        case MarqueeType::RightLeft:
            return {integralRect(right), integralRect(left)};
        case MarqueeType::Continuous:
            return {integralRect(left), integralRect(left.translated(-(T + 2 * F + B), 0))};
        case MarqueeType::ContinuousReverse:
            return {integralRect(right), integralRect(right.translated(T + 2 * F + B, 0))};
        case MarqueeType::LeftRight:
            break;
    }
    return {integralRect(left), integralRect(left.translated(W - 2 * F - T, 0))};
}

MarqueeFrames defaultFrames(const MarqueeMetrics& m) {
    const QRectF home = integralRect(QRectF(m.fade, 0, m.textWidth + m.fade, m.height));
    return {home, integralRect(home.translated(m.width - 2 * m.fade - m.textWidth, 0))};
}

double scrollDistance(MarqueeType type, const MarqueeFrames& frames) {
    if (isContinuous(type)) return std::abs(frames.away.x());
    return std::abs(frames.away.x() - frames.home.x());
}

double scrollDuration(double rate, double lengthOfScroll, double distance) {
    return rate != 0 ? distance / rate : lengthOfScroll;
}

double copyRestSpacing(const MarqueeMetrics& m) {
    return (m.textWidth + m.fade + m.buffer) * copyDirection(m.type);
}

double copyAwaySpacing(const MarqueeMetrics& m) {
    return (m.textWidth + 2 * m.fade + m.buffer) * copyDirection(m.type);
}

QRectF integralRect(const QRectF& rect) {
    const QRectF r = rect.normalized();
    const double left = std::floor(r.left()), top = std::floor(r.top());
    return QRectF(left, top, std::ceil(r.right()) - left, std::ceil(r.bottom()) - top);
}

}  // namespace widgets
