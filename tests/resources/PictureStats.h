#pragma once

#include <QImage>

namespace resourcetests {

// Pixels that show the accent light: clearly cyan and mostly opaque.
int cyanPixels(const QImage& image);
// Mean height (0 top, 1 bottom) of the cyan pixels; -1 when there are none.
double cyanCentreY(const QImage& image);
// Number of distinct colours, counting at most `cap`.
int distinctColours(const QImage& image, int cap = 16);
// Share of pixels (0 to 1) that differ clearly between two pictures of one size.
double changedShare(const QImage& a, const QImage& b);

}  // namespace resourcetests
