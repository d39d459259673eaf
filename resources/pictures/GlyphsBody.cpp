// Icons of the chair and the body: quick-key movements, air-bag zones, back ranges, heat and
// the foot rollers.
#include <cmath>

#include "pictures/Glyphs.h"

namespace pictures::glyphs {

using Layer = Glyph::Layer;

namespace {

// A curved arrow around `centre`, from `start` turning by `span` degrees (positive turns
// counter-clockwise on screen).
Glyph curvedArrow(QPointF centre, double radius, double start, double span) {
    Glyph g;
    g.line(arcPath(centre, radius, start, span), 6.5, Layer::Accent);
    const double end = start + span;
    g.line(arrowHead(onCircle(centre, radius, end), end + (span > 0 ? 90 : -90), 13), 6.5,
           Layer::Accent);
    return g;
}

}  // namespace

Glyph chair(ChairMove move) {
    const bool feet = move == ChairMove::FootUp || move == ChairMove::FootDown;
    const QPointF hip =
        feet ? QPointF(24, 54) : (move == ChairMove::None ? QPointF(34, 56) : QPointF(48, 56));
    const double seat = 28;
    const double backAngle =
        move == ChairMove::BackDown ? 140 : (move == ChairMove::BackUp ? 104 : 112);
    const double legAngle =
        move == ChairMove::FootUp ? -12 : (move == ChairMove::FootDown ? -68 : -50);
    const QPointF knee(hip.x() + seat, hip.y());
    const QPointF head = onCircle(hip, 34, backAngle);
    const QPointF foot = onCircle(knee, 26, legAngle);

    Glyph g;
    const Layer backLayer = feet || move == ChairMove::None ? Layer::Main : Layer::Accent;
    const Layer legLayer = feet ? Layer::Accent : Layer::Main;
    g.line(hip, knee, 9);
    g.line(hip, head, 9, backLayer);
    g.area(circlePath(onCircle(hip, 42, backAngle), 5.5), backLayer);
    g.line(knee, foot, 8, legLayer);
    g.line(onCircle(foot, 5, legAngle + 90), onCircle(foot, 7, legAngle - 90), 6, legLayer);
    g.line({hip.x() + seat / 2, hip.y() + 4}, {hip.x() + seat / 2, 80}, 6);
    g.line({hip.x() + 2, 82}, {hip.x() + seat - 2, 82}, 6);

    switch (move) {
        case ChairMove::FootUp:
            g.line({86, 80}, {86, 40}, 7, Layer::Accent);
            g.line(arrowHead({86, 36}, 90, 14), 7, Layer::Accent);
            break;
        case ChairMove::FootDown:
            g.line({86, 30}, {86, 72}, 7, Layer::Accent);
            g.line(arrowHead({86, 76}, -90, 14), 7, Layer::Accent);
            break;
        case ChairMove::BackUp:
            g.add(curvedArrow(hip, 46, 156, -44));
            break;
        case ChairMove::BackDown:
            g.add(curvedArrow(hip, 46, 112, 44));
            break;
        case ChairMove::None:
            break;
    }
    return g;
}

namespace {

struct FrontBody {
    QPainterPath head, torso, arms, legs;
};

FrontBody frontBody() {
    FrontBody body;
    body.head = circlePath({50, 12}, 8);
    const QPainterPath torso = polyline(
        {{36, 23}, {64, 23}, {67, 28}, {61, 49}, {64, 62}, {36, 62}, {39, 49}, {33, 28}}, true);
    Glyph rounded;
    rounded.line(torso, 5);
    body.torso = torso.united(rounded.layer(Layer::Main).front());
    Glyph limbs;
    limbs.line(polyline({{33, 28}, {27, 45}, {25, 60}}), 7.5);
    limbs.line(polyline({{67, 28}, {73, 45}, {75, 60}}), 7.5);
    body.arms = limbs.layer(Layer::Main)[0].united(limbs.layer(Layer::Main)[1]);
    Glyph legs;
    legs.line(polyline({{44, 60}, {43, 77}, {42, 93}}), 9);
    legs.line(polyline({{56, 60}, {57, 77}, {58, 93}}), 9);
    body.legs = legs.layer(Layer::Main)[0].united(legs.layer(Layer::Main)[1]);
    return body;
}

QPainterPath band(double top, double bottom) {
    QPainterPath rect;
    rect.addRect(QRectF(0, top, 100, bottom - top));
    return rect;
}

}  // namespace

Glyph bodyZone(Zone zone) {
    const FrontBody body = frontBody();
    QPainterPath lit;
    switch (zone) {
        case Zone::Arms:
            lit = body.arms;
            break;
        case Zone::LowerBody:
            lit = body.torso.united(body.legs).intersected(band(50, 100));
            break;
        case Zone::WaistToHip:
            lit = body.torso.united(body.legs).intersected(band(44, 68));
            break;
        case Zone::Legs:
        case Zone::Traction:
            lit = body.legs.intersected(band(72, 100));
            break;
    }
    Glyph g;
    for (const QPainterPath& part : {body.head, body.torso, body.arms, body.legs}) {
        g.area(part.subtracted(lit), Layer::Shade);
    }
    g.area(lit, Layer::Accent);
    if (zone == Zone::Traction) {
        for (double x : {26.0, 74.0}) {
            g.line({x, 70}, {x, 90}, 5.5);
            g.line(arrowHead({x, 93}, -90, 9), 5.5);
        }
    } else if (zone == Zone::Arms) {
        for (double side : {-1.0, 1.0}) {
            g.line(arcPath({50 + side * 26, 44}, 13, side < 0 ? 140 : -40, 80), 4);
        }
    }
    return g;
}

namespace {

struct RearBody {
    QPainterPath silhouette;
    double spineTop = 27;
    double spineBottom = 78;
};

RearBody rearBody() {
    RearBody body;
    QPainterPath torso({30, 24});
    torso.quadTo(50, 20, 70, 24);
    torso.quadTo(78, 26, 77, 34);
    torso.lineTo(68, 58);
    torso.quadTo(70, 72, 68, 86);
    torso.lineTo(32, 86);
    torso.quadTo(30, 72, 32, 58);
    torso.lineTo(23, 34);
    torso.quadTo(22, 26, 30, 24);
    torso.closeSubpath();
    Glyph parts;
    parts.line(polyline({{25, 32}, {19, 52}, {17, 70}}), 7);
    parts.line(polyline({{75, 32}, {81, 52}, {83, 70}}), 7);
    body.silhouette = torso.united(circlePath({50, 11}, 9))
                          .united(roundedRectPath({45, 16, 10, 10}, 3))
                          .united(parts.layer(Layer::Main)[0])
                          .united(parts.layer(Layer::Main)[1]);
    return body;
}

// The spine's vertebrae, left out where the lit range covers them.
void addSpine(Glyph& g, const RearBody& body, double litTop, double litBottom) {
    for (double y = body.spineTop; y <= body.spineBottom; y += 5.1) {
        if (y + 2 >= litTop && y - 2 <= litBottom) continue;
        g.area(roundedRectPath({46.5, y - 1.6, 7, 3.2}, 1.5));
    }
}

}  // namespace

Glyph backRange(Range range) {
    const RearBody body = rearBody();
    Glyph g;
    g.area(body.silhouette, Layer::Shade);
    double top = 0;
    double bottom = 0;
    switch (range) {
        case Range::Full:
            top = body.spineTop;
            bottom = body.spineBottom;
            break;
        case Range::Upper:
            top = body.spineTop;
            bottom = 50;
            break;
        case Range::Lower:
            top = 54;
            bottom = body.spineBottom;
            break;
        case Range::Partial:
            top = 42;
            bottom = 58;
            break;
        case Range::Fixed:
            top = 45;
            bottom = 53;
            break;
    }
    addSpine(g, body, top - 2, bottom + 2);
    if (range == Range::Fixed) {
        g.line(circlePath({50, 49}, 9), 4, Layer::Accent);
        g.area(circlePath({50, 49}, 4), Layer::Accent);
        for (double dx : {-1.0, 1.0})
            g.line({50 + dx * 12, 49}, {50 + dx * 18, 49}, 4, Layer::Accent);
    } else {
        g.area(roundedRectPath({43, top - 2, 14, bottom - top + 4}, 7), Layer::Accent);
    }
    if (range == Range::Partial) {
        for (double dx : {-1.0, 1.0}) {
            const double x = 50 + dx * 13;
            g.line({x, top + 3}, {x, bottom - 3}, 3.5, Layer::Accent);
            g.line(arrowHead({x, top}, 90, 6), 3.5, Layer::Accent);
            g.line(arrowHead({x, bottom}, -90, 6), 3.5, Layer::Accent);
        }
    }
    return g;
}

Glyph back() {
    const RearBody body = rearBody();
    Glyph g;
    g.area(body.silhouette, Layer::Shade);
    addSpine(g, body, -1, -1);
    return g;
}

Glyph backMarker(int level, int levels) {
    const RearBody body = rearBody();
    Glyph g;
    g.area(body.silhouette, Layer::Shade);
    const double span = body.spineBottom - body.spineTop;
    const double y = body.spineBottom - span * (level - 1) / std::max(1, levels - 1);
    addSpine(g, body, y - 3, y + 3);
    g.line({20, y}, {80, y}, 5, Layer::Accent);
    g.area(circlePath({50, y}, 6), Layer::Accent);
    return g;
}

Glyph heat() {
    Glyph g;
    for (double x : {30.0, 50.0, 70.0}) {
        QPainterPath wave({x, 64});
        wave.cubicTo(x - 9, 54, x + 9, 46, x, 36);
        wave.cubicTo(x - 9, 26, x + 6, 20, x, 14);
        g.line(wave, 6.5, Layer::Accent);
    }
    g.line({16, 78}, {84, 78}, 8);
    g.line({24, 88}, {76, 88}, 5);
    return g;
}

Glyph waistHeat() {
    const FrontBody body = frontBody();
    Glyph g;
    for (const QPainterPath& part : {body.head, body.torso, body.arms, body.legs}) {
        g.area(part, Layer::Shade);
    }
    for (double x : {40.0, 50.0, 60.0}) {
        QPainterPath wave({x, 60});
        wave.cubicTo(x - 5, 55, x + 5, 50, x, 44);
        wave.cubicTo(x - 5, 39, x + 4, 35, x, 31);
        g.line(wave, 4.5, Layer::Accent);
    }
    return g;
}

Glyph footRollers() {
    // A footprint seen from below, with the rollers across its sole.
    QPainterPath sole({50, 94});
    sole.cubicTo(35, 94, 31, 82, 33, 70);
    sole.cubicTo(35, 58, 27, 46, 27, 35);
    sole.cubicTo(27, 22, 38, 17, 51, 17);
    sole.cubicTo(66, 17, 73, 25, 71, 39);
    sole.cubicTo(69, 51, 64, 59, 65, 71);
    sole.cubicTo(66, 84, 62, 94, 50, 94);
    sole.closeSubpath();
    Glyph g;
    g.area(sole);
    const struct {
        double x, y, r;
    } toes[] = {{31, 9, 5.5}, {41, 6, 4.6}, {50, 5, 4.2}, {59, 6, 3.8}, {67, 9, 3.4}};
    for (const auto& toe : toes) g.area(circlePath({toe.x, toe.y + 2}, toe.r));
    for (double y : {38.0, 57.0, 76.0}) {
        g.line(roundedRectPath({14, y - 5, 72, 10}, 5), 4.5, Layer::Accent);
    }
    return g;
}

}  // namespace pictures::glyphs
