// Icons of the manual techniques, their speed and width, and the automatic programmes.
#include <cmath>

#include "pictures/Glyphs.h"

namespace pictures::glyphs {

using Layer = Glyph::Layer;

namespace {

// A roller turning: a ball with a curved arrow around it.
Glyph roller(QPointF centre, double radius, bool clockwise) {
    Glyph g;
    g.area(circlePath(centre, radius * 0.5));
    const double start = clockwise ? 200 : -20;
    const double span = clockwise ? -250 : 250;
    g.line(arcPath(centre, radius, start, span), 6, Layer::Accent);
    const double end = start + span;
    g.line(arrowHead(onCircle(centre, radius, end), end + (clockwise ? -90 : 90), 10), 6,
           Layer::Accent);
    return g;
}

// A tapping head: a ball beating up and down on the skin.
Glyph mallet(QPointF centre) {
    Glyph g;
    g.area(circlePath(centre, 9));
    g.line({centre.x(), centre.y() - 14}, {centre.x(), centre.y() - 30}, 5, Layer::Accent);
    g.line(arrowHead({centre.x(), centre.y() - 33}, 90, 8), 5, Layer::Accent);
    g.line(arrowHead({centre.x(), centre.y() - 12}, -90, 8), 5, Layer::Accent);
    for (double dx : {-1.0, 0.0, 1.0}) {
        g.line({centre.x() + dx * 9, centre.y() + 14}, {centre.x() + dx * 13, centre.y() + 21}, 4,
               Layer::Accent);
    }
    return g;
}

Glyph skin(double y) {
    Glyph g;
    QPainterPath line({12, y});
    line.cubicTo(30, y - 5, 40, y + 5, 50, y);
    line.cubicTo(60, y - 5, 70, y + 5, 88, y);
    g.line(line, 5);
    return g;
}

}  // namespace

Glyph shoulderGrasp() {
    Glyph g;
    g.area(circlePath({50, 26}, 12), Layer::Shade);
    QPainterPath shoulders({8, 84});
    shoulders.quadTo(10, 58, 30, 56);
    shoulders.quadTo(42, 54, 43, 40);
    shoulders.lineTo(57, 40);
    shoulders.quadTo(58, 54, 70, 56);
    shoulders.quadTo(90, 58, 92, 84);
    shoulders.closeSubpath();
    g.area(shoulders, Layer::Shade);
    // Two hands closing on the shoulder muscles from above and below.
    for (double side : {-1.0, 1.0}) {
        const double x = 50 + side * 24;
        g.line(arcPath({x, 56}, 13, side < 0 ? 200 : -20, side < 0 ? -130 : 130), 6.5,
               Layer::Accent);
        g.line(arcPath({x, 56}, 13, side < 0 ? 220 : -40, side < 0 ? 80 : -80), 6.5, Layer::Accent);
    }
    return g;
}

Glyph knead() {
    Glyph g;
    g.add(roller({30, 46}, 17, false));
    g.add(roller({70, 46}, 17, true));
    g.add(skin(80));
    return g;
}

Glyph tap() {
    Glyph g;
    g.add(mallet({30, 52}));
    g.add(mallet({70, 52}));
    g.add(skin(80));
    return g;
}

Glyph kneadAndTap() {
    Glyph g;
    g.add(roller({30, 44}, 17, false));
    g.add(mallet({72, 52}));
    g.add(skin(80));
    return g;
}

Glyph shiatsu() {
    Glyph g;
    g.area(roundedRectPath({38, 8, 24, 52}, 12));
    g.area(roundedRectPath({43, 12, 14, 12}, 5), Layer::Shade);
    g.line({40, 36}, {60, 36}, 3, Layer::Shade);
    for (double radius : {12.0, 22.0, 32.0}) {
        QPainterPath ring;
        const QRectF bounds(50 - radius, 66 - radius * 0.45, 2 * radius, radius * 0.9);
        ring.arcMoveTo(bounds, 200);
        ring.arcTo(bounds, 200, 140);
        g.line(ring, 5, Layer::Accent);
    }
    return g;
}

Glyph threeD() {
    const QPointF top(50, 14), upperLeft(18, 32), upperRight(82, 32), centre(50, 50),
        lowerLeft(18, 70), lowerRight(82, 70), bottom(50, 88);
    Glyph g;
    g.area(polyline({top, upperRight, centre, upperLeft}, true), Layer::Accent);
    g.area(polyline({upperLeft, centre, bottom, lowerLeft}, true), Layer::Shade);
    g.line(polyline({top, upperRight, lowerRight, bottom, lowerLeft, upperLeft}, true), 6);
    g.line(polyline({upperLeft, centre, upperRight}), 6);
    g.line(centre, bottom, 6);
    return g;
}

Glyph speed(int level, int levels) {
    Glyph g;
    const QPointF hub(50, 64);
    g.line(arcPath(hub, 38, 180, -180), 7);
    for (int i = 0; i < levels; ++i) {
        const double angle = 180.0 - (i + 0.5) * 180.0 / levels;
        g.line(onCircle(hub, 26, angle), onCircle(hub, 31, angle), 4.5,
               i < level ? Layer::Accent : Layer::Shade);
    }
    const double needle = 180.0 - (level - 0.5) * 180.0 / std::max(1, levels);
    g.line(hub, onCircle(hub, 30, needle), 7, Layer::Accent);
    g.area(circlePath(hub, 7), Layer::Accent);
    return g;
}

Glyph width(int level, int levels) {
    Glyph g;
    const double half = 17 + 22.0 * (level - 1) / std::max(1, levels - 1);
    g.line({50 - half, 28}, {50 - half, 72}, 6.5);
    g.line({50 + half, 28}, {50 + half, 72}, 6.5);
    g.line({50 - half + 7, 50}, {50 + half - 7, 50}, 6, Layer::Accent);
    g.line(arrowHead({50 - half + 6, 50}, 180, 9), 6, Layer::Accent);
    g.line(arrowHead({50 + half - 6, 50}, 0, 9), 6, Layer::Accent);
    return g;
}

Glyph comfort() {
    Glyph g;
    QPainterPath vane({78, 14});
    vane.cubicTo(48, 14, 24, 40, 26, 72);
    vane.cubicTo(50, 72, 74, 50, 78, 14);
    vane.closeSubpath();
    g.area(vane, Layer::Accent);
    QPainterPath shaft({82, 10});
    shaft.cubicTo(60, 36, 40, 58, 16, 88);
    g.line(shaft, 5);
    for (double t : {0.38, 0.56, 0.72}) {
        const QPointF at = shaft.pointAtPercent(t);
        g.line(at, {at.x() + 10, at.y() + 2}, 3.5, Layer::Shade);
    }
    return g;
}

Glyph relax() {
    Glyph g;
    const QPainterPath moon = circlePath({46, 54}, 32).subtracted(circlePath({62, 42}, 26));
    g.area(moon);
    for (const QPointF& star : {QPointF(72, 20), QPointF(84, 44), QPointF(62, 70)}) {
        const double r = star.y() == 20 ? 8 : 5.5;
        g.line({star.x() - r, star.y()}, {star.x() + r, star.y()}, 3.5, Layer::Accent);
        g.line({star.x(), star.y() - r}, {star.x(), star.y() + r}, 3.5, Layer::Accent);
    }
    return g;
}

Glyph acheRelief() {
    Glyph g;
    for (int i = 0; i < 6; ++i) {
        const double y = 12 + i * 13.5;
        const double w = 20 + i * 2;
        g.area(roundedRectPath({36 - w / 2, y, w, 9}, 4.5));
    }
    g.line({72, 26}, {72, 54}, 9, Layer::Accent);
    g.line({58, 40}, {86, 40}, 9, Layer::Accent);
    return g;
}

Glyph waistTwist() {
    Glyph g;
    g.area(circlePath({50, 11}, 9), Layer::Shade);
    g.area(polyline({{32, 24}, {68, 24}, {61, 52}, {65, 90}, {35, 90}, {39, 52}}, true),
           Layer::Shade);
    // One turn each way around the waist.
    const QRectF orbit(10, 42, 80, 24);
    QPainterPath front;
    front.arcMoveTo(orbit, 205);
    front.arcTo(orbit, 205, 130);
    g.line(front, 7, Layer::Accent);
    g.line(arrowHead(front.currentPosition(), 62, 13), 7, Layer::Accent);
    g.line(arrowHead(front.pointAtPercent(0), 118, 13), 7, Layer::Accent);
    QPainterPath back;
    back.arcMoveTo(orbit, 30);
    back.arcTo(orbit, 30, 120);
    g.line(back, 4);
    return g;
}

Glyph airPressure() {
    Glyph g;
    QPainterPath cushion({18, 56});
    cushion.cubicTo(12, 40, 30, 36, 50, 40);
    cushion.cubicTo(70, 36, 88, 40, 82, 56);
    cushion.cubicTo(90, 72, 70, 80, 50, 76);
    cushion.cubicTo(30, 80, 10, 72, 18, 56);
    cushion.closeSubpath();
    g.area(cushion, Layer::Accent);
    // Air pressing in from every side.
    g.line({50, 8}, {50, 26}, 6);
    g.line(arrowHead({50, 29}, -90, 10), 6);
    for (double side : {-1.0, 1.0}) {
        g.line({50 + side * 44, 20}, {50 + side * 33, 31}, 6);
        g.line(arrowHead({50 + side * 31, 33}, side < 0 ? -45 : -135, 10), 6);
    }
    return g;
}

Glyph waistStretch() {
    Glyph g;
    g.area(circlePath({50, 11}, 8), Layer::Shade);
    g.area(polyline({{34, 22}, {66, 22}, {62, 44}, {38, 44}}, true), Layer::Shade);
    g.area(polyline({{38, 56}, {62, 56}, {64, 80}, {36, 80}}, true), Layer::Shade);
    for (double x : {22.0, 78.0}) {
        g.line({x, 34}, {x, 66}, 5.5, Layer::Accent);
        g.line(arrowHead({x, 31}, 90, 9), 5.5, Layer::Accent);
        g.line(arrowHead({x, 69}, -90, 9), 5.5, Layer::Accent);
    }
    g.line({40, 50}, {60, 50}, 4, Layer::Accent);
    return g;
}

}  // namespace pictures::glyphs
