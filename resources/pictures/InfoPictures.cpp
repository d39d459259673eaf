// The Info panel's running display: indicator sockets, technique and level read-outs, the
// massage position, the seven-segment minutes and the start bar.
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include "pictures/Catalog.h"
#include "pictures/Compose.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;
using namespace glyphs;

namespace {

void addIndicator(Catalog& catalog, const QString& name, const Glyph& glyph, int count = 0,
                  int lit = 0) {
    catalog.push_back({name, {240, 240}, [=](QPainter& painter, const QSizeF& s) {
                           paintIndicator(painter, keyArea(s), glyph, count, lit);
                       }});
}

void addLevels(Catalog& catalog, const QString& stem, const Glyph& glyph, int levels) {
    for (int level = 1; level <= levels; ++level) {
        addIndicator(catalog, QString("%1_%2").arg(stem).arg(level), glyph, levels, level);
    }
}

// Segments a to g of a seven-segment digit, in a box 100 wide and 174 high.
QPolygonF segment(char which) {
    const double t = 15;
    const double gap = 2.5;
    auto horizontal = [&](double y) {
        const double x1 = 10 + gap;
        const double x2 = 90 - gap;
        return QPolygonF({{x1, y},
                          {x1 + t / 2, y - t / 2},
                          {x2 - t / 2, y - t / 2},
                          {x2, y},
                          {x2 - t / 2, y + t / 2},
                          {x1 + t / 2, y + t / 2}});
    };
    auto vertical = [&](double x, double y1, double y2) {
        y1 += gap;
        y2 -= gap;
        return QPolygonF({{x, y1},
                          {x + t / 2, y1 + t / 2},
                          {x + t / 2, y2 - t / 2},
                          {x, y2},
                          {x - t / 2, y2 - t / 2},
                          {x - t / 2, y1 + t / 2}});
    };
    switch (which) {
        case 'a':
            return horizontal(10);
        case 'b':
            return vertical(90, 10, 87);
        case 'c':
            return vertical(90, 87, 164);
        case 'd':
            return horizontal(164);
        case 'e':
            return vertical(10, 87, 164);
        case 'f':
            return vertical(10, 10, 87);
        default:
            return horizontal(87);
    }
}

void paintDigit(QPainter& painter, const QSizeF& size, int digit) {
    static const char* const kLit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                         "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const QString lit = QString::fromLatin1(kLit[digit]);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(size.width() / 118.0, size.height() / 196.0);
    QTransform place;
    place.translate((size.width() - 100 * scale) / 2 + 4 * scale,
                    (size.height() - 174 * scale) / 2);
    place.scale(scale, scale);
    place.shear(-0.08, 0);
    place.translate(14, 0);
    for (char which : QStringLiteral("abcdefg").toLatin1()) {
        const QPolygonF shape = place.map(segment(which));
        if (lit.contains(QLatin1Char(which))) {
            for (int ring = 1; ring <= 3; ++ring) {
                painter.setPen(QPen(p::withAlpha(p::kCyan, 0.2 / ring), 5.0 * ring * scale,
                                    Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                painter.setBrush(Qt::NoBrush);
                painter.drawPolygon(shape);
            }
            painter.setPen(QPen(p::kIce, 1.5 * scale));
            painter.setBrush(p::kCyan);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(p::withAlpha(p::kCyan, 0.08));
        }
        painter.drawPolygon(shape);
    }
}

// The back with the massage position lit, and beside it the eleven positions with the
// reported one marked (1 lowest, 11 highest).
void paintPosition(QPainter& painter, const QSizeF& size, int position) {
    const QRectF frame = keyArea(size);
    paintSocket(painter, frame);
    paintGlyph(painter, fraction(frame, 0.06, 0.06, 0.62, 0.88), backMarker(position, 11),
               displayInk());
    const double top = frame.top() + frame.height() * 0.14;
    const double bottom = frame.top() + frame.height() * 0.86;
    for (int step = 1; step <= 11; ++step) {
        const double y = bottom - (bottom - top) * (step - 1) / 10.0;
        const bool lit = step == position;
        const double left = frame.left() + frame.width() * (lit ? 0.7 : 0.74);
        const double right = frame.left() + frame.width() * (lit ? 0.9 : 0.86);
        painter.setPen(QPen(lit ? p::kCyan : p::kEdge, frame.height() * (lit ? 0.045 : 0.025),
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
}

void paintStartBar(QPainter& painter, const QSizeF& size) {
    const QRectF bar(QPointF(0, 0), size);
    paintPanel(painter, bar.adjusted(4, 4, -4, -4), size.height() * 0.2);
}

void paintStartKey(QPainter& painter, const QSizeF& size, const Glyph& glyph) {
    const QRectF tile = keyArea(size);
    paintKey(painter, tile, Look::Idle);
    paintGlyph(painter, fraction(tile, 0.2, 0.14, 0.6, 0.72), glyph,
               Ink{p::kCyan, p::kCyan, p::kMutedShade, true});
}

}  // namespace

void addInfoPictures(Catalog& catalog) {
    catalog.push_back({"info_ico_bg", {240, 240}, [](QPainter& painter, const QSizeF& s) {
                           paintSocket(painter, keyArea(s));
                       }});
    addIndicator(catalog, "info_beat", knead());
    addLevels(catalog, "manualinfo_beat", tap(), 2);
    addIndicator(catalog, "info_takeknead", kneadAndTap());
    addLevels(catalog, "info_shiatsu", shiatsu(), 2);
    addIndicator(catalog, "info_shoulder", shoulderGrasp());
    addLevels(catalog, "info_3d", threeD(), 4);
    for (int level = 1; level <= 5; ++level) {
        addIndicator(catalog, QString("info_speed_%1").arg(level), speed(level, 5), 5, level);
        addIndicator(catalog, QString("info_width_%1").arg(level), width(level, 5), 5, level);
    }
    addIndicator(catalog, "info_full", backRange(Range::Full));
    addIndicator(catalog, "info_upper", backRange(Range::Upper));
    addIndicator(catalog, "info_lower", backRange(Range::Lower));
    addIndicator(catalog, "info_part", backRange(Range::Partial));
    addIndicator(catalog, "info_stretchstatus", bodyZone(Zone::Traction));
    addIndicator(catalog, "info_waiststatus", waistHeat());
    addLevels(catalog, "info_armairbags", bodyZone(Zone::Arms), 3);
    addLevels(catalog, "info_lowerbody", bodyZone(Zone::LowerBody), 3);
    addLevels(catalog, "info_airbags", bodyZone(Zone::WaistToHip), 3);
    addLevels(catalog, "info_legs", bodyZone(Zone::Legs), 3);
    addLevels(catalog, "info_footrollers", footRollers(), 3);
    for (int position = 1; position <= 11; ++position) {
        catalog.push_back({QString("info_position_%1").arg(position),
                           {280, 200},
                           [position](QPainter& painter, const QSizeF& s) {
                               paintPosition(painter, s, position);
                           }});
    }
    for (int digit = 0; digit <= 9; ++digit) {
        catalog.push_back(
            {QString("info_digital_%1").arg(digit),
             {132, 230},
             [digit](QPainter& painter, const QSizeF& s) { paintDigit(painter, s, digit); }});
    }
    catalog.push_back({"info_min", {220, 200}, [](QPainter& painter, const QSizeF& s) {
                           paintGlyph(painter, QRectF(QPointF(0, 0), s).adjusted(20, 14, -20, -14),
                                      stopwatch(), displayInk());
                       }});
    catalog.push_back({"info_start_bg", {1400, 290}, paintStartBar});
    catalog.push_back({"info_start", {240, 150}, [](QPainter& painter, const QSizeF& s) {
                           paintStartKey(painter, s, play());
                       }});
    catalog.push_back({"info_pause", {240, 150}, [](QPainter& painter, const QSizeF& s) {
                           paintStartKey(painter, s, pause());
                       }});
}

}  // namespace pictures
