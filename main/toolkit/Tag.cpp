#include "main/toolkit/Tag.h"

#include <QVariant>
#include <QWidget>

namespace tk {
namespace {
constexpr const char* kTagProperty = "tkTag";
}

void setTag(QWidget* view, int tag) {
    if (view) view->setProperty(kTagProperty, tag);
}

int tagOf(const QWidget* view) {
    return view ? view->property(kTagProperty).toInt() : 0;
}

QWidget* viewWithTag(QWidget* root, int tag) {
    if (!root) return nullptr;
    if (tagOf(root) == tag) return root;
    // children() is in stacking order: a widget added later is drawn above the earlier ones.
    for (QObject* child : root->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            if (QWidget* found = viewWithTag(widget, tag)) return found;
        }
    }
    return nullptr;
}

}  // namespace tk
