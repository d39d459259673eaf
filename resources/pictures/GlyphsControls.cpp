// Icons of the controls: power, menu, service, settings, media keys and the service steps.
#include <QFont>
#include <QTransform>
#include <cmath>

#include "pictures/Glyphs.h"

namespace pictures::glyphs {

using Layer = Glyph::Layer;

Glyph power() {
    Glyph g;
    g.line(arcPath({50, 54}, 30, 122, 296), 8);
    g.line({50, 14}, {50, 48}, 8, Layer::Accent);
    return g;
}

Glyph menu() {
    Glyph g;
    for (double y : {28.0, 50.0, 72.0}) g.line({22, y}, {78, y}, 8);
    return g;
}

Glyph gear() {
    QPainterPath outline;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: two points on the outer radius, two on the root radius.
        const double angle = (i * 360.0 / (teeth * 4) - 5.6) * M_PI / 180.0;
        const double radius = (i % 4 == 0 || i % 4 == 1) ? 42.0 : 32.0;
        const QPointF point(50 + radius * std::cos(angle), 50 - radius * std::sin(angle));
        if (i == 0) {
            outline.moveTo(point);
        } else {
            outline.lineTo(point);
        }
    }
    outline.closeSubpath();
    Glyph g;
    g.area(outline.subtracted(circlePath({50, 50}, 14)));
    g.line(circlePath({50, 50}, 6), 4, Layer::Accent);
    return g;
}

Glyph wrench() {
    QPainterPath head = circlePath({0, -26}, 19);
    QPainterPath jaw;
    jaw.addRect(QRectF(-7.5, -50, 15, 26));
    QPainterPath handle = roundedRectPath(QRectF(-7.5, -14, 15, 60), 7.5);
    QPainterPath shape = head.subtracted(jaw).united(handle);
    QTransform turn;
    turn.translate(50, 50);
    turn.rotate(45);
    Glyph g;
    g.area(turn.map(shape));
    g.area(turn.map(circlePath({0, 36}, 3.5)), Layer::Shade);
    return g;
}

Glyph goBack() {
    QPainterPath path({76, 78});
    path.lineTo(76, 52);
    path.quadTo(76, 30, 54, 30);
    path.lineTo(26, 30);
    Glyph g;
    g.line(path, 9);
    g.line(arrowHead({24, 30}, 180, 17), 9);
    return g;
}

Glyph play() {
    Glyph g;
    g.area(polyline({{34, 22}, {78, 50}, {34, 78}}, true));
    g.line(polyline({{34, 22}, {78, 50}, {34, 78}}, true), 6);
    return g;
}

Glyph pause() {
    Glyph g;
    g.area(roundedRectPath({28, 22, 15, 56}, 4));
    g.area(roundedRectPath({57, 22, 15, 56}, 4));
    return g;
}

Glyph playPause() {
    Glyph g;
    g.line(polyline({{16, 28}, {46, 50}, {16, 72}}, true), 5);
    g.area(polyline({{16, 28}, {46, 50}, {16, 72}}, true));
    g.area(roundedRectPath({58, 28, 10, 44}, 3), Layer::Accent);
    g.area(roundedRectPath({75, 28, 10, 44}, 3), Layer::Accent);
    return g;
}

Glyph confirm() {
    Glyph g;
    g.line(circlePath({50, 50}, 36), 6);
    g.line(polyline({{32, 51}, {45, 64}, {69, 38}}), 9, Layer::Accent);
    return g;
}

Glyph arrow(bool up) {
    Glyph g;
    const double tip = up ? 18 : 82;
    const double tail = up ? 84 : 16;
    g.line({50, tail}, {50, tip + (up ? 6 : -6)}, 12);
    g.line(arrowHead({50, tip}, up ? 90 : -90, 30), 12, Layer::Accent);
    return g;
}

Glyph minus() {
    Glyph g;
    g.line({24, 50}, {76, 50}, 12);
    return g;
}

Glyph plus() {
    Glyph g;
    g.line({24, 50}, {76, 50}, 12);
    g.line({50, 24}, {50, 76}, 12);
    return g;
}

Glyph speaker() {
    Glyph g;
    g.area(polyline({{14, 38}, {30, 38}, {50, 20}, {50, 80}, {30, 62}, {14, 62}}, true));
    g.line(polyline({{14, 38}, {30, 38}, {50, 20}, {50, 80}, {30, 62}, {14, 62}}, true), 4);
    g.line(arcPath({50, 50}, 16, -45, 90), 6, Layer::Accent);
    g.line(arcPath({50, 50}, 29, -48, 96), 6, Layer::Accent);
    return g;
}

Glyph globe() {
    Glyph g;
    g.line(circlePath({50, 50}, 36), 6);
    QPainterPath meridian;
    meridian.addEllipse(QPointF(50, 50), 15, 36);
    g.line(meridian, 5, Layer::Accent);
    g.line({14, 50}, {86, 50}, 5, Layer::Accent);
    g.line({21, 32}, {79, 32}, 4.5, Layer::Accent);
    g.line({21, 68}, {79, 68}, 4.5, Layer::Accent);
    return g;
}

Glyph signal() {
    Glyph g;
    g.area(circlePath({50, 50}, 8), Layer::Accent);
    for (double radius : {20.0, 34.0}) {
        g.line(arcPath({50, 50}, radius, -45, 90), 6.5);
        g.line(arcPath({50, 50}, radius, 135, 90), 6.5);
    }
    return g;
}

Glyph document() {
    Glyph g;
    g.line(polyline({{26, 14}, {60, 14}, {76, 30}, {76, 86}, {26, 86}}, true), 6);
    g.line(polyline({{58, 14}, {58, 32}, {76, 32}}), 5);
    for (double y : {46.0, 58.0, 70.0}) g.line({36, y}, {66, y}, 5, Layer::Accent);
    return g;
}

Glyph folder() {
    Glyph g;
    QPainterPath back =
        polyline({{12, 24}, {38, 24}, {46, 32}, {88, 32}, {88, 78}, {12, 78}}, true);
    g.line(back, 6);
    g.area(polyline({{12, 78}, {22, 44}, {92, 44}, {82, 78}}, true), Layer::Accent);
    return g;
}

Glyph upload() {
    Glyph g;
    g.line(polyline({{20, 60}, {20, 82}, {80, 82}, {80, 60}}), 7);
    g.line({50, 66}, {50, 18}, 8, Layer::Accent);
    g.line(arrowHead({50, 16}, 90, 20), 8, Layer::Accent);
    return g;
}

Glyph memorySlot(int slot) {
    Glyph g;
    g.line(roundedRectPath({24, 18, 52, 64}, 8), 6);
    for (double y : {32.0, 50.0, 68.0}) {
        g.line({10, y}, {20, y}, 5);
        g.line({80, y}, {90, y}, 5);
    }
    g.add(lettering(QString::number(slot), {34, 28, 32, 44}, Layer::Accent));
    return g;
}

Glyph stopwatch() {
    Glyph g;
    g.line(circlePath({50, 56}, 32), 7);
    g.line({50, 10}, {50, 22}, 8);
    g.line({40, 10}, {60, 10}, 8);
    g.line({76, 28}, {82, 22}, 7);
    g.line(polyline({{50, 34}, {50, 56}, {66, 64}}), 7, Layer::Accent);
    return g;
}

Glyph pointer() {
    Glyph g;
    g.area(polyline({{28, 18}, {80, 50}, {28, 82}}, true), Layer::Accent);
    g.line(polyline({{28, 18}, {80, 50}, {28, 82}}, true), 6, Layer::Accent);
    return g;
}

Glyph automatic() {
    Glyph g;
    g.line(arcPath({50, 50}, 38, 110, 300), 7, Layer::Accent);
    g.line(arrowHead(onCircle({50, 50}, 38, 50), 140, 15), 7, Layer::Accent);
    g.add(lettering("A", {30, 28, 40, 44}));
    return g;
}

Glyph hand() {
    Glyph g;
    g.area(roundedRectPath({30, 42, 42, 44}, 13));
    const struct { double x, top; } fingers[] = {{35.5, 22}, {46.5, 14}, {57.5, 18}, {67.5, 28}};
    for (const auto& finger : fingers) g.line({finger.x, 50}, {finger.x, finger.top}, 9.5);
    g.line({34, 70}, {18, 48}, 10.5);
    g.line(arcPath({51, 62}, 9, 200, 140), 4, Layer::Shade);
    return g;
}

Glyph gauge() {
    Glyph g;
    g.line(arcPath({50, 60}, 36, 200, -220), 7);
    for (int i = 0; i <= 4; ++i) {
        const double angle = 200 - i * 55;
        g.line(onCircle({50, 60}, 24, angle), onCircle({50, 60}, 29, angle), 4.5);
    }
    g.line({50, 60}, {70, 38}, 7, Layer::Accent);
    g.area(circlePath({50, 60}, 8), Layer::Accent);
    return g;
}

Glyph moreTiles() {
    Glyph g;
    for (double x : {18.0, 54.0}) {
        for (double y : {18.0, 54.0}) {
            const bool lit = x == y;
            g.line(roundedRectPath({x, y, 28, 28}, 7), 6, lit ? Layer::Accent : Layer::Main);
        }
    }
    return g;
}

Glyph lettering(const QString& text, const QRectF& box, Glyph::Layer layer) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPointSizeF(60);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    Glyph g;
    if (bounds.isEmpty()) return g;
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    g.area(fit.map(path), layer);
    return g;
}

}  // namespace pictures::glyphs
