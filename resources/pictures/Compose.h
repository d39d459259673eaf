#pragma once

#include <QRectF>

#include "pictures/Glyph.h"
#include "pictures/Surfaces.h"

class QPainter;

// Ways the pictures put glyphs on keys, so every button is built the same way.
namespace pictures {

Ink inkFor(Look look);

// A key tile with its glyph; `glyphBox` is the glyph's place as fractions of the tile.
void paintGlyphKey(QPainter& painter, const QRectF& tile, Look look, const Glyph& glyph,
                   const QRectF& glyphBox = QRectF(0.17, 0.17, 0.66, 0.66));
void paintGlyphRoundKey(QPainter& painter, const QRectF& square, Look look, const Glyph& glyph);

// A key whose state also shows as `lit` of `count` pips under the glyph.
void paintLevelKey(QPainter& painter, const QRectF& tile, Look look, const Glyph& glyph, int count,
                   int lit);

// An indicator of the running display: the socket with the glyph, and pips when `count` > 0.
void paintIndicator(QPainter& painter, const QRectF& rect, const Glyph& glyph, int count = 0,
                    int lit = 0);

}  // namespace pictures
