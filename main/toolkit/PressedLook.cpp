#include "main/toolkit/PressedLook.h"

#include <QPainter>

namespace tk {

namespace {
const QColor kShade(0, 0, 0, 110);
}

void paintPressedLook(QPainter& painter, const QRect& frame, const QImage& picture) {
    if (picture.isNull()) {
        painter.fillRect(frame, kShade);
        return;
    }
    // Only the picture's own pixels darken: a round key stays round when pressed.
    QImage shaded = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter shade(&shaded);
    shade.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    shade.fillRect(shaded.rect(), kShade);
    shade.end();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(frame, shaded);
    painter.restore();
}

}  // namespace tk
