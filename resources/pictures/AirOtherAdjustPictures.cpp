// The Pressure, Other and Adjust panels: air-bag zones, heat, foot rollers, the memory slots
// and the shoulder-position scale.
#include <QPainter>
#include <QRadialGradient>

#include "pictures/Catalog.h"
#include "pictures/Compose.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;
using namespace glyphs;

namespace {

void addCaptionedPair(Catalog& catalog, const QString& stem, QSize size, const Glyph& glyph) {
    for (Look look : {Look::Off, Look::On}) {
        catalog.push_back({stem + (look == Look::On ? "_on" : "_off"), size,
                           [look, glyph](QPainter& painter, const QSizeF& s) {
                               // The caption is printed over the bottom quarter.
                               paintGlyphKey(painter, keyArea(s, 0.27), look, glyph,
                                             QRectF(0.12, 0.1, 0.76, 0.8));
                           }});
    }
}

void paintBody(QPainter& painter, const QSizeF& size) {
    const QRectF box(QPointF(0, 0), size);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient halo(box.center(), size.width() * 0.5);
    halo.setColorAt(0.0, p::withAlpha(p::kCyan, 0.12));
    halo.setColorAt(1.0, p::withAlpha(p::kCyan, 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(box);
    const Ink body{p::kMuted, p::kCyan, p::kSlateHigh, false};
    paintGlyph(painter,
               box.adjusted(size.width() * 0.02, size.height() * 0.02, -size.width() * 0.02,
                            -size.height() * 0.02),
               back(), body);
}

// Twelve steps from the bottom (0) to the top (11); the reported one is lit and pointed at.
void paintScale(QPainter& painter, const QSizeF& size, int marked) {
    const double w = size.width();
    const double h = size.height();
    painter.setRenderHint(QPainter::Antialiasing);
    const double pitch = h * 0.92 / 12;
    for (int step = 0; step < 12; ++step) {
        const double centreY = h * 0.96 - pitch * (step + 0.5);
        const bool lit = step == marked;
        const double barHeight = pitch * (lit ? 0.62 : 0.42);
        const QRectF bar(w * (lit ? 0.36 : 0.44), centreY - barHeight / 2, w * (lit ? 0.6 : 0.44),
                         barHeight);
        paintLevelStep(painter, bar, barHeight / 2, lit);
        if (lit) {
            painter.setPen(QPen(p::kIce, w * 0.015));
            painter.setBrush(p::kCyan);
            painter.drawPolygon(
                QPolygonF({QPointF(w * 0.04, centreY - pitch * 0.42), QPointF(w * 0.28, centreY),
                           QPointF(w * 0.04, centreY + pitch * 0.42)}));
        }
    }
}

}  // namespace

void addAirAndOtherPictures(Catalog& catalog) {
    const QSize airKey(270, 340);
    addCaptionedPair(catalog, "air_arm", airKey, bodyZone(Zone::Arms));
    addCaptionedPair(catalog, "air_lowerbody", airKey, bodyZone(Zone::LowerBody));
    addCaptionedPair(catalog, "air_waisttohip", airKey, bodyZone(Zone::WaistToHip));
    addCaptionedPair(catalog, "air_legs", airKey, bodyZone(Zone::Legs));
    addCaptionedPair(catalog, "air_legtraction", airKey, bodyZone(Zone::Traction));
    addCaptionedPair(catalog, "other_therapy", {270, 330}, heat());
    addCaptionedPair(catalog, "other_footrollers", {270, 330}, footRollers());
    // "service1" to "service6": slots 1 to 3, off then on. The Other panel shows them as the
    // memory programmes, the Service panel as its three test selections.
    for (int picture = 1; picture <= 6; ++picture) {
        const int slot = (picture + 1) / 2;
        const Look look = picture % 2 == 0 ? Look::On : Look::Off;
        catalog.push_back({QString("service%1").arg(picture),
                           {270, 270},
                           [slot, look](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), look, memorySlot(slot));
                           }});
    }
}

void addAdjustPictures(Catalog& catalog) {
    catalog.push_back({"adjust_body", {800, 800}, paintBody});
    for (int step = 0; step < 12; ++step) {
        catalog.push_back(
            {QString("adjust_%1").arg(step),
             {200, 450},
             [step](QPainter& painter, const QSizeF& s) { paintScale(painter, s, step); }});
    }
    for (bool up : {true, false}) {
        catalog.push_back({up ? "adjust_upper_off" : "adjust_lower_off",
                           {240, 200},
                           [up](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), Look::Idle, arrow(up),
                                             QRectF(0.22, 0.12, 0.56, 0.76));
                           }});
    }
}

}  // namespace pictures
