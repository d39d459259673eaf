#include "pictures/Compose.h"

#include <QPainter>

namespace pictures {

Ink inkFor(Look look) {
    switch (look) {
        case Look::On:
            return litInk();
        case Look::Idle:
            return idleInk();
        case Look::Disabled:
            return disabledInk();
        case Look::Off:
            break;
    }
    return mutedInk();
}

void paintGlyphKey(QPainter& painter, const QRectF& tile, Look look, const Glyph& glyph,
                   const QRectF& glyphBox) {
    paintKey(painter, tile, look);
    paintGlyph(painter,
               fraction(tile, glyphBox.x(), glyphBox.y(), glyphBox.width(), glyphBox.height()),
               glyph, inkFor(look));
}

void paintGlyphRoundKey(QPainter& painter, const QRectF& square, Look look, const Glyph& glyph) {
    paintRoundKey(painter, square, look);
    paintGlyph(painter, fraction(square, 0.19, 0.19, 0.62, 0.62), glyph, inkFor(look));
}

void paintLevelKey(QPainter& painter, const QRectF& tile, Look look, const Glyph& glyph, int count,
                   int lit) {
    paintGlyphKey(painter, tile, look, glyph, QRectF(0.15, 0.06, 0.7, 0.66));
    const double rowWidth = 0.16 * count;
    paintPips(painter, fraction(tile, 0.5 - rowWidth / 2, 0.74, rowWidth, 0.14), count, lit,
              look == Look::On);
}

void paintIndicator(QPainter& painter, const QRectF& rect, const Glyph& glyph, int count, int lit) {
    paintSocket(painter, rect);
    if (count <= 0) {
        paintGlyph(painter, fraction(rect, 0.12, 0.12, 0.76, 0.76), glyph, displayInk());
        return;
    }
    paintGlyph(painter, fraction(rect, 0.16, 0.07, 0.68, 0.64), glyph, displayInk());
    const double rowWidth = std::min(0.8, 0.15 * count);
    paintPips(painter, fraction(rect, 0.5 - rowWidth / 2, 0.73, rowWidth, 0.14), count, lit);
}

}  // namespace pictures
