#pragma once

class QWidget;

namespace widgets {

// Our Qt layer has no separate controller objects: a screen's controller is represented by
// the root widget of that screen. Screens mark that widget; the top-level window stands for
// the root screen when no marked widget is found on the way up.
void markAsViewController(QWidget* view, bool isController = true);
bool isViewController(const QWidget* view);

// The screen a view belongs to: walking up from the view itself, the first widget marked as
// a controller, else the top-level window the view sits in. A view without a parent belongs
// to no screen (nullptr), like a view that was never added to one.
QWidget* firstAvailableViewController(const QWidget* view);

}  // namespace widgets
