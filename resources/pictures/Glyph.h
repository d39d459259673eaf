#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <initializer_list>
#include <vector>

class QPainter;

namespace pictures {

// An icon drawn in a 100 x 100 design box, as filled areas in three layers: the main colour,
// the accent colour (what the icon is about: the lit zone, the moving part) and a quiet
// shade (silhouettes, unlit steps). Painting fits the box into any square.
class Glyph {
public:
    enum class Layer { Main, Accent, Shade };

    // A centre line stroked with round caps and joins.
    Glyph& line(const QPainterPath& centre, double width = 7.0, Layer layer = Layer::Main);
    Glyph& line(QPointF from, QPointF to, double width = 7.0, Layer layer = Layer::Main);
    Glyph& area(const QPainterPath& shape, Layer layer = Layer::Main);
    Glyph& add(const Glyph& other);

    const std::vector<QPainterPath>& layer(Layer which) const;

private:
    std::vector<QPainterPath> main_;
    std::vector<QPainterPath> accent_;
    std::vector<QPainterPath> shade_;
};

// The colours a glyph is painted in, and whether it glows.
struct Ink {
    QColor main;
    QColor accent;
    QColor shade;
    bool glow = false;
};

Ink litInk();       // a button that is on: ice-white with cyan, glowing
Ink mutedInk();     // a button that is off: grey-blue, no glow
Ink idleInk();      // an always-usable control on the main screen: white with cyan
Ink displayInk();   // a read-out of the running display: cyan, soft glow
Ink disabledInk();  // a control that cannot be used yet

// Paints `glyph` into the largest square centred in `box`.
void paintGlyph(QPainter& painter, const QRectF& box, const Glyph& glyph, const Ink& ink);

// Path helpers in design units.
// The point at `degrees` (0 = right, 90 = up, as on screen) on a circle.
QPointF onCircle(QPointF centre, double radius, double degrees);
QPainterPath circlePath(QPointF centre, double radius);
QPainterPath arcPath(QPointF centre, double radius, double startDegrees, double spanDegrees);
QPainterPath polyline(std::initializer_list<QPointF> points, bool closed = false);
QPainterPath roundedRectPath(const QRectF& rect, double radius);
// An open arrow head (two strokes) at `tip`, pointing along `directionDegrees` (0 = right,
// 90 = up, as on screen).
QPainterPath arrowHead(QPointF tip, double directionDegrees, double size = 12.0);

}  // namespace pictures
