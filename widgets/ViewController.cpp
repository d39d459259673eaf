#include "widgets/ViewController.h"

#include <QVariant>
#include <QWidget>

namespace widgets {
namespace {
constexpr const char* kControllerProperty = "viewController";
}

void markAsViewController(QWidget* view, bool isController) {
    if (view) view->setProperty(kControllerProperty, isController);
}

bool isViewController(const QWidget* view) {
    return view && view->property(kControllerProperty).toBool();
}

QWidget* firstAvailableViewController(const QWidget* view) {
    for (auto* widget = const_cast<QWidget*>(view); widget; widget = widget->parentWidget()) {
        if (isViewController(widget)) return widget;
        if (!widget->parentWidget()) return widget == view ? nullptr : widget;
    }
    return nullptr;
}

}  // namespace widgets
