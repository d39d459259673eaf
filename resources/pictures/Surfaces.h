#pragma once

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace pictures {

// How a key looks: `Off` and `On` are the two states of a button that shows what the chair
// reports; `Idle` is a control that is always usable; `Disabled` cannot be used yet.
enum class Look { Off, On, Idle, Disabled };

// The part of a picture of `size` a key tile takes: the picture less a margin for the glow,
// and less `labelBand` (a fraction of the height) at the bottom where the app prints a
// caption over the picture.
QRectF keyArea(QSizeF size, double labelBand = 0.0);
QRectF centredSquare(const QRectF& area);
QRectF fraction(const QRectF& area, double left, double top, double width, double height);

void paintKey(QPainter& painter, const QRectF& tile, Look look);
void paintRoundKey(QPainter& painter, const QRectF& square, Look look);

// A row of round pips, `lit` of `count` lit (a level read-out).
void paintPips(QPainter& painter, const QRectF& row, int count, int lit, bool glow = true);

// A panel surface: the backgrounds of the working area, boxes and bars.
void paintPanel(QPainter& painter, const QRectF& rect, double radius, bool accentEdge = true);

// The empty socket of an indicator of the running display.
void paintSocket(QPainter& painter, const QRectF& rect);

// Rings of cyan light around a rounded rectangle, fading outwards by `step` each.
void paintGlowRings(QPainter& painter, const QRectF& rect, double radius, double step,
                    double alpha = 0.22);

// One step of a level bar or meter: lit (cyan with its glow) or unlit (quiet slate).
void paintLevelStep(QPainter& painter, const QRectF& step, double radius, bool lit);

// A cyan light that fades out from the middle of a horizontal line.
void paintHairline(QPainter& painter, double left, double right, double y, double width,
                   double alpha = 0.9);

}  // namespace pictures
