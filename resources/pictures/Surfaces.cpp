#include "pictures/Surfaces.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;

QRectF keyArea(QSizeF size, double labelBand) {
    const double margin = 0.06 * std::min(size.width(), size.height());
    return QRectF(margin, margin, size.width() - 2 * margin,
                  size.height() * (1.0 - labelBand) - 2 * margin);
}

QRectF centredSquare(const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    return QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
}

QRectF fraction(const QRectF& area, double left, double top, double width, double height) {
    return QRectF(area.left() + left * area.width(), area.top() + top * area.height(),
                  width * area.width(), height * area.height());
}

namespace {

struct KeyColours {
    QColor top, bottom, edge;
    double edgeWidth;
    bool halo;
};

KeyColours coloursFor(Look look, double side) {
    switch (look) {
        case Look::On:
            return {p::kTealFill, p::kTealDark, p::kCyan, side * 0.028, true};
        case Look::Idle:
            return {p::kSlateHigh, p::kSurface, p::kEdgeHigh, side * 0.02, false};
        case Look::Disabled:
            return {p::withAlpha(p::kSlate, 0.7), p::withAlpha(p::kSurface, 0.7),
                    p::withAlpha(p::kEdge, 0.5), side * 0.014, false};
        case Look::Off:
            break;
    }
    return {p::kSlate, p::kSurface, p::kEdge, side * 0.018, false};
}

template <typename Shape>
void paintBody(QPainter& painter, const QRectF& rect, Look look, Shape drawShape) {
    const double side = std::min(rect.width(), rect.height());
    const KeyColours colours = coloursFor(look, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (colours.halo) {
        for (int ring = 1; ring <= 4; ++ring) {
            const double grow = side * 0.012 * ring;
            painter.setPen(QPen(p::withAlpha(p::kCyan, 0.32 / ring), side * 0.02));
            painter.setBrush(Qt::NoBrush);
            drawShape(rect.adjusted(-grow, -grow, grow, grow));
        }
    }
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, colours.top);
    fill.setColorAt(1.0, colours.bottom);
    painter.setPen(QPen(colours.edge, colours.edgeWidth));
    painter.setBrush(fill);
    drawShape(rect);
    // A faint sheen on the upper half gives the key its body.
    const QRectF sheen =
        rect.adjusted(side * 0.06, side * 0.05, -side * 0.06, -rect.height() * 0.5);
    QLinearGradient gloss(sheen.topLeft(), sheen.bottomLeft());
    gloss.setColorAt(0.0, p::withAlpha(p::kWhite, look == Look::On ? 0.16 : 0.07));
    gloss.setColorAt(1.0, p::withAlpha(p::kWhite, 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    drawShape(sheen);
    painter.restore();
}

}  // namespace

void paintKey(QPainter& painter, const QRectF& tile, Look look) {
    const double radius = 0.2 * std::min(tile.width(), tile.height());
    paintBody(painter, tile, look, [&](const QRectF& r) {
        const double grown = radius + (r.width() - tile.width()) / 2;
        painter.drawRoundedRect(r, std::max(grown, radius * 0.5), std::max(grown, radius * 0.5));
    });
}

void paintRoundKey(QPainter& painter, const QRectF& square, Look look) {
    paintBody(painter, square, look, [&](const QRectF& r) { painter.drawEllipse(r); });
}

void paintPips(QPainter& painter, const QRectF& row, int count, int lit, bool glow) {
    if (count <= 0) return;
    const double step = row.width() / count;
    const double radius = std::min(step * 0.3, row.height() * 0.45);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < count; ++i) {
        const QPointF centre(row.left() + step * (i + 0.5), row.center().y());
        if (i < lit) {
            if (glow) {
                QRadialGradient halo(centre, radius * 2.4);
                halo.setColorAt(0.0, p::withAlpha(p::kCyan, 0.55));
                halo.setColorAt(1.0, p::withAlpha(p::kCyan, 0.0));
                painter.setPen(Qt::NoPen);
                painter.setBrush(halo);
                painter.drawEllipse(centre, radius * 2.4, radius * 2.4);
            }
            painter.setPen(QPen(p::kIce, radius * 0.25));
            painter.setBrush(p::kCyan);
        } else {
            painter.setPen(QPen(p::kEdge, radius * 0.2));
            painter.setBrush(p::kMutedShade);
        }
        painter.drawEllipse(centre, radius, radius);
    }
    painter.restore();
}

void paintPanel(QPainter& painter, const QRectF& rect, double radius, bool accentEdge) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, p::withAlpha(p::kSlate, 0.94));
    fill.setColorAt(1.0, p::withAlpha(p::kDeep, 0.94));
    painter.setPen(QPen(p::kEdge, std::max(1.5, radius * 0.08)));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, radius, radius);
    if (accentEdge) {
        paintHairline(painter, rect.left() + radius, rect.right() - radius, rect.top() + 0.5,
                      std::max(1.5, radius * 0.1));
    }
    painter.restore();
}

void paintSocket(QPainter& painter, const QRectF& rect) {
    const double side = std::min(rect.width(), rect.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(rect.center(), side * 0.7);
    fill.setColorAt(0.0, p::kSlate);
    fill.setColorAt(1.0, p::kDeep);
    painter.setPen(QPen(p::kEdge, side * 0.02));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, side * 0.18, side * 0.18);
    painter.setPen(QPen(p::withAlpha(p::kEdge, 0.6), side * 0.012));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = rect.adjusted(side * 0.07, side * 0.07, -side * 0.07, -side * 0.07);
    painter.drawRoundedRect(inner, side * 0.13, side * 0.13);
    painter.restore();
}

void paintGlowRings(QPainter& painter, const QRectF& rect, double radius, double step,
                    double alpha) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 3; ++ring) {
        const double grow = step * ring;
        painter.setPen(QPen(p::withAlpha(p::kCyan, alpha / ring), step * 1.5));
        painter.drawRoundedRect(rect.adjusted(-grow, -grow, grow, grow), radius + grow,
                                radius + grow);
    }
    painter.restore();
}

void paintLevelStep(QPainter& painter, const QRectF& step, double radius, bool lit) {
    const double edge = std::max(1.0, std::min(step.width(), step.height()) * 0.06);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        paintGlowRings(painter, step, radius, edge * 1.6);
        QLinearGradient fill(step.topLeft(), step.bottomLeft());
        fill.setColorAt(0.0, p::kIce);
        fill.setColorAt(0.32, p::kCyan);
        fill.setColorAt(1.0, p::kCyanDeep);
        painter.setPen(QPen(p::kCyan, edge));
        painter.setBrush(fill);
    } else {
        painter.setPen(QPen(p::kEdge, edge));
        painter.setBrush(p::kMutedShade);
    }
    painter.drawRoundedRect(step, radius, radius);
    painter.restore();
}

void paintHairline(QPainter& painter, double left, double right, double y, double width,
                   double alpha) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient light(QPointF(left, y), QPointF(right, y));
    light.setColorAt(0.0, p::withAlpha(p::kCyan, 0.0));
    light.setColorAt(0.5, p::withAlpha(p::kCyan, alpha));
    light.setColorAt(1.0, p::withAlpha(p::kCyan, 0.0));
    painter.setPen(QPen(QBrush(light), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    painter.restore();
}

}  // namespace pictures
