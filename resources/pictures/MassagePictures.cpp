// The Auto and Manual panels: programme dials, technique and position keys, the page tabs and
// the five-segment grade bar that the Manual, Pressure, Other and Info panels share.
#include <QLinearGradient>
#include <QPainter>

#include "pictures/Catalog.h"
#include "pictures/Compose.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;
using namespace glyphs;

namespace {

QString stateName(const QString& stem, Look look) {
    return stem + (look == Look::On ? "_on" : "_off");
}

// A square tile at the top of `area`, leaving the rest for the caption under it.
QRectF topSquare(const QRectF& area) {
    const double side = std::min(area.width(), area.height());
    return QRectF(area.center().x() - side / 2, area.top(), side, side);
}

// An automatic programme: its icon above a pale band, where the app prints the programme's
// name in black, and a light below that shows while the chair runs the programme.
void paintProgrammeKey(QPainter& painter, const QSizeF& size, Look look, const Glyph& glyph) {
    const QRectF tile = centredSquare(keyArea(size));
    paintKey(painter, tile, look);
    paintGlyph(painter, fraction(tile, 0.27, 0.07, 0.46, 0.34), glyph, inkFor(look));
    const bool on = look == Look::On;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const double radius = 0.2 * tile.width();
    shape.addRoundedRect(tile, radius, radius);
    painter.setClipPath(shape);
    const QRectF band = fraction(tile, 0.0, 0.43, 1.0, 0.15);
    painter.fillRect(band, on ? p::kPlateOn : p::kPlateOff);
    painter.setPen(QPen(on ? p::kCyan : p::kEdgeHigh, tile.width() * 0.01));
    painter.drawLine(band.topLeft(), band.topRight());
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    painter.setClipping(false);
    const QRectF light = fraction(tile, 0.34, 0.76, 0.32, 0.045);
    if (on) paintGlowRings(painter, light, light.height() / 2, tile.width() * 0.012, 0.25);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? p::kCyan : p::kMutedShade);
    painter.drawRoundedRect(light, light.height() / 2, light.height() / 2);
    painter.restore();
}

void paintGradeBar(QPainter& painter, const QSizeF& size, int lit) {
    const double w = size.width();
    const double h = size.height();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p::withAlpha(p::kEdge, 0.7), h * 0.015));
    painter.setBrush(p::withAlpha(p::kNight, 0.55));
    painter.drawRoundedRect(QRectF(0.01 * w, 0.02 * h, 0.98 * w, 0.8 * h), 0.2 * h, 0.2 * h);
    // The segments line up with the five touch areas the panels lay over the bar.
    const double left = 0.133 * w;
    const double column = 0.1468 * w;
    const double bottom = 0.64 * h;
    for (int k = 0; k < 5; ++k) {
        const double height = (0.26 + 0.07 * k) * h;
        const QRectF segment(left + k * column + 0.1 * column, bottom - height, 0.8 * column,
                             height);
        paintLevelStep(painter, segment, 0.06 * h, k < lit);
    }
    const Ink quiet = mutedInk();
    paintGlyph(painter, QRectF(0.03 * w, 0.2 * h, 0.32 * h, 0.32 * h), minus(), quiet);
    paintGlyph(painter, QRectF(w - 0.03 * w - 0.32 * h, 0.2 * h, 0.32 * h, 0.32 * h), plus(),
               quiet);
}

void addTechnique(Catalog& catalog, const QString& name, QSize size, Look look, Glyph glyph,
                  int variants = 0, int variant = 0) {
    catalog.push_back({name, size, [=](QPainter& painter, const QSizeF& s) {
                           // The caption is printed over the bottom fifth.
                           const QRectF tile = topSquare(keyArea(s, 0.2));
                           if (variants == 0) {
                               paintGlyphKey(painter, tile, look, glyph,
                                             QRectF(0.11, 0.11, 0.78, 0.78));
                           } else {
                               paintLevelKey(painter, tile, look, glyph, variants, variant);
                           }
                       }});
}

}  // namespace

void addAutoPictures(Catalog& catalog) {
    const struct {
        const char* stem;
        Glyph (*glyph)();
    } programmes[] = {{"auto_comfort", comfort},         {"auto_easy", relax},
                      {"auto_improve", acheRelief},      {"auto_twist", waistTwist},
                      {"auto_airpressure", airPressure}, {"auto_waisttensile", waistStretch}};
    for (const auto& programme : programmes) {
        for (Look look : {Look::Off, Look::On}) {
            const Glyph glyph = programme.glyph();
            catalog.push_back({stateName(programme.stem, look),
                               {360, 360},
                               [look, glyph](QPainter& painter, const QSizeF& s) {
                                   paintProgrammeKey(painter, s, look, glyph);
                               }});
        }
    }
}

void addManualPictures(Catalog& catalog) {
    const QSize technique(270, 270);
    for (Look look : {Look::Off, Look::On}) {
        addTechnique(catalog, stateName("manual_shoulder", look), technique, look, shoulderGrasp());
        addTechnique(catalog, stateName("manual_beat", look), technique, look, knead());
        addTechnique(catalog, stateName("manual_takeknead", look), technique, look, kneadAndTap());
    }
    // The flap key is a little wider than the others.
    addTechnique(catalog, "manualon_beat_off", {282, 267}, Look::Off, tap(), 2, 0);
    addTechnique(catalog, "manual_shiatsu_off", technique, Look::Off, shiatsu(), 2, 0);
    addTechnique(catalog, "manual_3d_off", technique, Look::Off, threeD(), 4, 0);
    for (int variant = 1; variant <= 2; ++variant) {
        addTechnique(catalog, QString("manualon_beat_%1").arg(variant), {282, 267}, Look::On, tap(),
                     2, variant);
        addTechnique(catalog, QString("manual_shiatsu_%1").arg(variant), technique, Look::On,
                     shiatsu(), 2, variant);
    }
    for (int variant = 1; variant <= 4; ++variant) {
        addTechnique(catalog, QString("manual_3d_%1").arg(variant), technique, Look::On, threeD(),
                     4, variant);
    }
    for (int lit = 0; lit <= 5; ++lit) {
        catalog.push_back(
            {QString("manual_grade_%1").arg(lit),
             {800, 148},
             [lit](QPainter& painter, const QSizeF& s) { paintGradeBar(painter, s, lit); }});
    }
    const struct {
        const char* stem;
        Range range;
    } positions[] = {{"manual_full", Range::Full},
                     {"manual_upper", Range::Upper},
                     {"manual_lower", Range::Lower},
                     {"manual_part", Range::Partial},
                     {"manual_fixed", Range::Fixed}};
    for (const auto& position : positions) {
        for (Look look : {Look::Off, Look::On}) {
            const Range range = position.range;
            catalog.push_back({stateName(position.stem, look),
                               {270, 360},
                               [look, range](QPainter& painter, const QSizeF& s) {
                                   // The caption is printed over the bottom third.
                                   paintGlyphKey(painter, keyArea(s, 0.32), look, backRange(range),
                                                 QRectF(0.1, 0.08, 0.8, 0.84));
                               }});
        }
    }
    for (Look look : {Look::Off, Look::On}) {
        catalog.push_back({stateName("manual_skill", look),
                           {256, 270},
                           [look](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), look, hand());
                           }});
        catalog.push_back({stateName("manual_back", look),
                           {256, 270},
                           [look](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), look, backMarker(7, 11));
                           }});
    }
}

}  // namespace pictures
