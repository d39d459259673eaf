#include "pictures/AppIcon.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "pictures/Glyph.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"

namespace pictures {

namespace p = palette;

void paintAppIcon(QPainter& painter, const QSizeF& size) {
    const double s = std::min(size.width(), size.height());
    painter.setRenderHint(QPainter::Antialiasing);
    // Icon themes leave a small margin around the tile.
    const QRectF tile(0.06 * s, 0.06 * s, 0.88 * s, 0.88 * s);
    QRadialGradient surface(tile.center(), 0.6 * s);
    surface.setColorAt(0.0, QColor(0x17, 0x2A, 0x3C));
    surface.setColorAt(1.0, p::kNight);
    painter.setPen(QPen(p::kEdge, std::max(1.0, 0.02 * s)));
    painter.setBrush(surface);
    painter.drawRoundedRect(tile, 0.2 * s, 0.2 * s);

    const QPointF centre = tile.center();
    const double radius = 0.32 * s;
    painter.setBrush(p::kSurface);
    painter.setPen(QPen(p::kCyan, std::max(1.0, 0.035 * s)));
    painter.drawEllipse(centre, radius, radius);
    const double glyph = radius * 1.3;
    paintGlyph(painter, QRectF(centre.x() - glyph / 2, centre.y() - glyph / 2, glyph, glyph),
               glyphs::chair(glyphs::ChairMove::None), litInk());
}

}  // namespace pictures
