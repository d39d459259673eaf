// The controls of the main screen: menu button and menu, service, settings, power, the quick
// keys and the go-back key that every panel carries.
#include <QPainter>

#include "pictures/Catalog.h"
#include "pictures/Compose.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;
using namespace glyphs;

namespace {

// A round key in the upper part of the picture; the app prints its caption below it.
void paintCaptionedRoundKey(QPainter& painter, const QSizeF& size, double captionTop,
                            const Glyph& glyph) {
    const QRectF area = keyArea(size, 1.0 - captionTop);
    paintGlyphRoundKey(painter, centredSquare(area), Look::Idle, glyph);
}

// The menu button is a tab hanging from the top left corner (its left edge lies off screen);
// the app prints its caption across the middle.
void paintMenuTab(QPainter& painter, const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    const QRectF tab(-0.2 * w, -0.2 * h, 1.16 * w, 1.12 * h);
    const double radius = 0.28 * h;
    painter.setRenderHint(QPainter::Antialiasing);
    paintGlowRings(painter, tab, radius, 0.012 * h, 0.16);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0.0, p::kSlateHigh);
    fill.setColorAt(1.0, p::kSurface);
    painter.setPen(QPen(p::kEdgeHigh, 0.014 * h));
    painter.setBrush(fill);
    painter.drawRoundedRect(tab, radius, radius);
    const double centreX = 0.48 * w;
    paintGlyph(painter, QRectF(centreX - 0.17 * h, 0.07 * h, 0.34 * h, 0.34 * h), menu(),
               idleInk());
    Glyph chevron;
    chevron.line(polyline({{30, 40}, {50, 60}, {70, 40}}), 9, Glyph::Layer::Accent);
    paintGlyph(painter, QRectF(centreX - 0.1 * h, 0.68 * h, 0.2 * h, 0.2 * h), chevron, idleInk());
}

void paintMenuColumn(QPainter& painter, const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    const QRectF column(0.04 * w, -0.1 * w, 0.92 * w, h + 0.06 * w);
    paintPanel(painter, column, 0.32 * w, false);
    painter.setPen(Qt::NoPen);
    QLinearGradient sheen(column.topLeft(), column.topRight());
    sheen.setColorAt(0.0, p::withAlpha(p::kCyan, 0.0));
    sheen.setColorAt(0.5, p::withAlpha(p::kCyan, 0.05));
    sheen.setColorAt(1.0, p::withAlpha(p::kCyan, 0.0));
    painter.setBrush(sheen);
    painter.drawRoundedRect(column, 0.32 * w, 0.32 * w);
    paintHairline(painter, 0.2 * w, 0.8 * w, h - 0.045 * w, 0.025 * w);
}

}  // namespace

void addMainScreenPictures(Catalog& catalog) {
    catalog.push_back({"layout_function_off", {430, 310}, paintMenuTab});
    catalog.push_back({"menulist", {284, 1340}, paintMenuColumn});
    catalog.push_back({"layout_service_off", {189, 156}, [](QPainter& painter, const QSizeF& s) {
                           paintCaptionedRoundKey(painter, s, 0.47, wrench());
                       }});
    catalog.push_back({"layout_service_off1", {210, 240}, [](QPainter& painter, const QSizeF& s) {
                           paintCaptionedRoundKey(painter, s, 0.68, wrench());
                       }});
    catalog.push_back({"layout_setup_off", {252, 220}, [](QPainter& painter, const QSizeF& s) {
                           paintCaptionedRoundKey(painter, s, 0.64, gear());
                       }});
    for (Look look : {Look::Off, Look::On}) {
        const QString name = look == Look::On ? "layout_power_on" : "layout_power_off";
        catalog.push_back({name, {280, 200}, [look](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), look, power(),
                                             QRectF(0.25, 0.14, 0.5, 0.72));
                           }});
    }

    const struct {
        const char* name;
        ChairMove move;
    } moves[] = {{"layout_general_foot_up_off", ChairMove::FootUp},
                 {"layout_general_foot_down_off", ChairMove::FootDown},
                 {"layout_general_heart_up_off", ChairMove::BackUp},
                 {"layout_general_heart_down_off", ChairMove::BackDown}};
    for (const auto& key : moves) {
        const ChairMove move = key.move;
        catalog.push_back({key.name, {246, 180}, [move](QPainter& painter, const QSizeF& s) {
                               paintGlyphKey(painter, keyArea(s), Look::Idle, chair(move),
                                             QRectF(0.2, 0.08, 0.6, 0.84));
                           }});
    }
    // The auto key: idle when the chair reports nothing, lit with the reported state 1 to 3.
    for (int state = 0; state <= 3; ++state) {
        const QString name =
            state == 0 ? "layout_general_auto_off" : QString("layout_general_auto_%1").arg(state);
        catalog.push_back({name, {246, 180}, [state](QPainter& painter, const QSizeF& s) {
                               paintLevelKey(painter, keyArea(s),
                                             state == 0 ? Look::Idle : Look::On, automatic(), 3,
                                             state);
                           }});
    }

    const struct {
        const char* stem;
        Glyph (*glyph)();
    } entries[] = {{"layout_auto", automatic},
                   {"layout_manual", hand},
                   {"layout_airpressure", gauge},
                   {"layout_other", moreTiles}};
    for (const auto& entry : entries) {
        for (Look look : {Look::Off, Look::On}) {
            const QString name = QString(entry.stem) + (look == Look::On ? "_on" : "_off");
            const Glyph glyph = entry.glyph();
            catalog.push_back({name, {240, 240}, [look, glyph](QPainter& painter, const QSizeF& s) {
                                   // The app prints the entry's caption over the lower third.
                                   paintGlyphKey(painter, keyArea(s), look, glyph,
                                                 QRectF(0.24, 0.07, 0.52, 0.52));
                               }});
        }
    }
    catalog.push_back({"layout_goback_on", {192, 192}, [](QPainter& painter, const QSizeF& s) {
                           paintGlyphRoundKey(painter, centredSquare(keyArea(s)), Look::Idle,
                                              goBack());
                       }});
}

}  // namespace pictures
