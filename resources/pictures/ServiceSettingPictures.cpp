// The Service and Settings panels: service steps, boxes, connectors, language and volume.
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

void addKey(Catalog& catalog, const QString& name, QSize size, Look look, const Glyph& glyph,
            double captionBand = 0.0) {
    catalog.push_back({name, size, [=](QPainter& painter, const QSizeF& s) {
                           paintGlyphKey(painter, keyArea(s, captionBand), look, glyph);
                       }});
}

void addPair(Catalog& catalog, const QString& stem, QSize size, const Glyph& glyph,
             double captionBand = 0.0) {
    addKey(catalog, stem + "_off", size, Look::Off, glyph, captionBand);
    addKey(catalog, stem + "_on", size, Look::On, glyph, captionBand);
}

// A lit connector with a node at each end, drawn along the longer side.
void paintConnector(QPainter& painter, const QSizeF& size) {
    const bool across = size.width() >= size.height();
    const double length = across ? size.width() : size.height();
    const double thickness = across ? size.height() : size.width();
    painter.setRenderHint(QPainter::Antialiasing);
    auto at = [&](double along, double offset) {
        return across ? QPointF(along, offset) : QPointF(offset, along);
    };
    const double middle = thickness / 2;
    const double node = thickness * 0.22;
    QLinearGradient light(at(0, middle), at(length, middle));
    light.setColorAt(0.0, p::withAlpha(p::kCyan, 0.25));
    light.setColorAt(0.5, p::withAlpha(p::kCyan, 0.85));
    light.setColorAt(1.0, p::withAlpha(p::kCyan, 0.25));
    painter.setPen(QPen(p::withAlpha(p::kCyan, 0.1), thickness * 0.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(node * 2, middle), at(length - node * 2, middle));
    painter.setPen(QPen(QBrush(light), thickness * 0.1, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(node * 2, middle), at(length - node * 2, middle));
    painter.setPen(QPen(p::kCyan, thickness * 0.06));
    painter.setBrush(p::kDeep);
    painter.drawEllipse(at(node * 1.3, middle), node, node);
    painter.drawEllipse(at(length - node * 1.3, middle), node, node);
}

void paintBox(QPainter& painter, const QSizeF& size) {
    const double radius = std::min(size.width(), size.height()) * 0.12;
    paintPanel(painter, QRectF(QPointF(0, 0), size).adjusted(4, 4, -4, -4), radius);
}

// The file box: a sunken field for the chosen file's name, the browse key sits at the right.
void paintFileBox(QPainter& painter, const QSizeF& size) {
    paintBox(painter, size);
    const double h = size.height();
    const QRectF field(size.width() * 0.09, h * 0.22, size.width() * 0.6, h * 0.56);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p::kEdge, h * 0.02));
    painter.setBrush(p::withAlpha(p::kNight, 0.85));
    painter.drawRoundedRect(field, h * 0.1, h * 0.1);
    paintHairline(painter, field.left(), field.right(), field.bottom(), h * 0.025, 0.5);
}

// Seven bars rising left to right; `lit` of them lit.
void paintVolume(QPainter& painter, const QSizeF& size, int lit) {
    const double w = size.width();
    const double h = size.height();
    painter.setRenderHint(QPainter::Antialiasing);
    const double column = w * 0.96 / 7;
    for (int k = 0; k < 7; ++k) {
        const double height = h * (0.3 + 0.6 * k / 6.0);
        const QRectF bar(w * 0.02 + k * column + column * 0.14, h * 0.95 - height, column * 0.72,
                         height);
        paintLevelStep(painter, bar, h * 0.05, k < lit);
    }
}

}  // namespace

void addServicePictures(Catalog& catalog) {
    addPair(catalog, "service_start", {270, 270}, playPause());
    addKey(catalog, "serviceok", {270, 270}, Look::Idle, confirm());
    addPair(catalog, "service_check", {270, 270}, signal(), 0.1);
    addKey(catalog, "service_path", {270, 270}, Look::Idle, document(), 0.1);
    addKey(catalog, "service_update_disable", {270, 270}, Look::Disabled, upload(), 0.1);
    addKey(catalog, "service_update_on", {270, 270}, Look::On, upload(), 0.1);
    catalog.push_back(
        {"service_path_select_off", {270, 172}, [](QPainter& painter, const QSizeF& s) {
             paintGlyphKey(painter, keyArea(s), Look::Idle, folder(), QRectF(0.2, 0.1, 0.6, 0.8));
         }});
    catalog.push_back({"service_start_box_bg", {870, 300}, paintBox});
    catalog.push_back({"service_path_box", {700, 172}, paintFileBox});
    catalog.push_back({"service_link_midden", {1400, 80}, paintConnector});
    catalog.push_back({"service_link_y", {64, 240}, paintConnector});
}

void addSettingPictures(Catalog& catalog) {
    // The app prints the choice's caption over the bottom quarter.
    addPair(catalog, "setting_lang", {250, 300}, globe(), 0.25);
    addPair(catalog, "setting_volume", {250, 300}, speaker(), 0.25);
    catalog.push_back({"setting_tag", {120, 120}, [](QPainter& painter, const QSizeF& s) {
                           paintGlyph(painter, keyArea(s), pointer(), displayInk());
                       }});
    catalog.push_back({"setting_box_bg", {800, 540}, paintBox});
    for (int lit = 0; lit <= 7; ++lit) {
        catalog.push_back(
            {QString("setting_volume_%1").arg(lit),
             {704, 160},
             [lit](QPainter& painter, const QSizeF& s) { paintVolume(painter, s, lit); }});
    }
    catalog.push_back(
        {"setting_volume_lower_on", {150, 150}, [](QPainter& painter, const QSizeF& s) {
             paintGlyphRoundKey(painter, centredSquare(keyArea(s)), Look::Idle, minus());
         }});
    catalog.push_back(
        {"setting_volume_upper_on", {150, 150}, [](QPainter& painter, const QSizeF& s) {
             paintGlyphRoundKey(painter, centredSquare(keyArea(s)), Look::Idle, plus());
         }});
}

}  // namespace pictures
