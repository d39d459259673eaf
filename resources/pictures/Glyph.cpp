#include "pictures/Glyph.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <cmath>

#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;

Glyph& Glyph::line(const QPainterPath& centre, double width, Layer which) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return area(stroker.createStroke(centre), which);
}

Glyph& Glyph::line(QPointF from, QPointF to, double width, Layer which) {
    QPainterPath path(from);
    path.lineTo(to);
    return line(path, width, which);
}

Glyph& Glyph::area(const QPainterPath& shape, Layer which) {
    QPainterPath filled = shape;
    filled.setFillRule(Qt::WindingFill);
    switch (which) {
        case Layer::Main:
            main_.push_back(filled);
            break;
        case Layer::Accent:
            accent_.push_back(filled);
            break;
        case Layer::Shade:
            shade_.push_back(filled);
            break;
    }
    return *this;
}

Glyph& Glyph::add(const Glyph& other) {
    main_.insert(main_.end(), other.main_.begin(), other.main_.end());
    accent_.insert(accent_.end(), other.accent_.begin(), other.accent_.end());
    shade_.insert(shade_.end(), other.shade_.begin(), other.shade_.end());
    return *this;
}

const std::vector<QPainterPath>& Glyph::layer(Layer which) const {
    switch (which) {
        case Layer::Accent:
            return accent_;
        case Layer::Shade:
            return shade_;
        case Layer::Main:
            break;
    }
    return main_;
}

Ink litInk() {
    return {p::kIce, p::kCyan, p::kLitShade, true};
}
Ink mutedInk() {
    return {p::kMuted, p::withAlpha(p::kMuted, 0.85), p::kMutedShade, false};
}
Ink idleInk() {
    return {p::kWhite, p::kCyan, p::kMutedShade, false};
}
Ink displayInk() {
    return {p::kCyan, p::kIce, p::kLitShade, true};
}
Ink disabledInk() {
    return {p::withAlpha(p::kMuted, 0.45), p::withAlpha(p::kMuted, 0.35),
            p::withAlpha(p::kMutedShade, 0.6), false};
}

namespace {

void paintHalo(QPainter& painter, const std::vector<QPainterPath>& paths) {
    // Three widening translucent strokes read as a soft light around the shape.
    const struct {
        double width;
        double alpha;
    } rings[] = {{13.0, 0.08}, {8.0, 0.14}, {4.0, 0.24}};
    for (const auto& ring : rings) {
        QPen pen(p::withAlpha(p::kCyan, ring.alpha), ring.width);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (const auto& path : paths) painter.drawPath(path);
    }
}

void fillAll(QPainter& painter, const std::vector<QPainterPath>& paths, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const auto& path : paths) painter.drawPath(path);
}

}  // namespace

void paintGlyph(QPainter& painter, const QRectF& box, const Glyph& glyph, const Ink& ink) {
    const double side = std::min(box.width(), box.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 100.0, side / 100.0);
    fillAll(painter, glyph.layer(Glyph::Layer::Shade), ink.shade);
    if (ink.glow) {
        paintHalo(painter, glyph.layer(Glyph::Layer::Main));
        paintHalo(painter, glyph.layer(Glyph::Layer::Accent));
    }
    fillAll(painter, glyph.layer(Glyph::Layer::Main), ink.main);
    fillAll(painter, glyph.layer(Glyph::Layer::Accent), ink.accent);
    painter.restore();
}

QPointF onCircle(QPointF centre, double radius, double degrees) {
    const double radians = degrees * M_PI / 180.0;
    return {centre.x() + radius * std::cos(radians), centre.y() - radius * std::sin(radians)};
}

QPainterPath circlePath(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath arcPath(QPointF centre, double radius, double startDegrees, double spanDegrees) {
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(bounds, startDegrees);
    path.arcTo(bounds, startDegrees, spanDegrees);
    return path;
}

QPainterPath polyline(std::initializer_list<QPointF> points, bool closed) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first) {
            path.moveTo(point);
            first = false;
        } else {
            path.lineTo(point);
        }
    }
    if (closed) path.closeSubpath();
    return path;
}

QPainterPath roundedRectPath(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath arrowHead(QPointF tip, double directionDegrees, double size) {
    const double back = (directionDegrees + 180.0) * M_PI / 180.0;
    const double spread = 38.0 * M_PI / 180.0;
    const QPointF left(tip.x() + size * std::cos(back - spread),
                       tip.y() - size * std::sin(back - spread));
    const QPointF right(tip.x() + size * std::cos(back + spread),
                        tip.y() - size * std::sin(back + spread));
    return polyline({left, tip, right});
}

}  // namespace pictures
