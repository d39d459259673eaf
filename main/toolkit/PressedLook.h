#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace tk {

// The look of a button while a finger or the mouse holds it: its picture shaded, where the
// picture is drawn, or a shade over the whole frame when it has none.
void paintPressedLook(QPainter& painter, const QRect& frame, const QImage& picture);

}  // namespace tk
