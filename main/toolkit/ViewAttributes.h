#pragma once

#include <QPoint>

class QWidget;

namespace tk {

// The view attributes the screens set beyond Qt's own: whether a view takes touches (off
// also shuts out its subviews) and its alpha. A view below alpha 0.01 takes no touches,
// as on the platform the screens were written for.
void setUserInteractionEnabled(QWidget* view, bool enabled);
bool isUserInteractionEnabled(const QWidget* view);

// 1 draws normally, 0 draws nothing; values are clamped to 0..1.
void setAlpha(QWidget* view, double alpha);
double alphaOf(const QWidget* view);

// Whether a touch on this view would reach it: neither it nor an ancestor is hidden,
// shut out from touches or transparent, and it is enabled.
bool takesTouches(const QWidget* view);

// The frontmost view under `point` (in `root`'s coordinates) that takes touches, `root`
// itself when none of its subviews does, or nullptr when `root` does not take touches or
// the point lies outside it. The same choice Qt makes when it delivers a mouse press.
QWidget* touchTarget(QWidget* root, QPoint point);

}  // namespace tk
