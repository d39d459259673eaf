#include "main/toolkit/Tag.h"

#include <QHash>
#include <QWidget>

namespace tk {
namespace {
// Tags are read on every status frame, for every widget a lookup passes; a hash beside the
// widgets is far cheaper than a dynamic property found by name. Main thread only.
QHash<const QObject*, int>& tags() {
    static QHash<const QObject*, int> table;
    return table;
}
}  // namespace

void setTag(QWidget* view, int tag) {
    if (!view) return;
    auto& table = tags();
    const bool known = table.contains(view);
    table.insert(view, tag);
    if (!known) {
        QObject::connect(view, &QObject::destroyed, [](QObject* gone) { tags().remove(gone); });
    }
}

int tagOf(const QWidget* view) {
    return view ? tags().value(view, 0) : 0;
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
