#pragma once

#include <QSizeF>

class QPainter;

namespace pictures {

// The application's icon for launchers and the window: the start-up logo's emblem (the chair
// in a ring of cyan light) on a rounded tile, drawn for any square size.
void paintAppIcon(QPainter& painter, const QSizeF& size);

}  // namespace pictures
