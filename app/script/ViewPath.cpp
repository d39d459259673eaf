#include "app/script/ViewPath.h"

#include <QStringList>

#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/Tag.h"

namespace script {

namespace {
// Depth-first in stacking order like the toolkit's look-up, but leaving out one subtree.
QWidget* viewWithTagOutside(QWidget* view, int tag, const QWidget* excluded) {
    if (view == excluded) return nullptr;
    if (tk::tagOf(view) == tag) return view;
    for (QObject* child : view->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow()) continue;
        if (QWidget* found = viewWithTagOutside(widget, tag, excluded)) return found;
    }
    return nullptr;
}

QWidget* namedStart(mainscreen::RootViewController& root, const QString& name) {
    if (name == "menu") return root.menuView();
    for (const char* button : {mainscreen::kMenuButtonName, mainscreen::kServiceButtonName,
                               mainscreen::kSettingsButtonName}) {
        if (name == button) return root.view()->findChild<QWidget*>(button);
    }
    return nullptr;
}
}  // namespace

QWidget* findViewByPath(mainscreen::RootViewController& root, const QString& path) {
    const QStringList parts = path.split('/');
    QWidget* view = root.view();
    for (int i = 0; i < parts.size(); ++i) {
        bool isNumber = false;
        const int tag = parts[i].toInt(&isNumber);
        if (isNumber && tag != 0 && i == 0) {
            // The menu's entries reuse the quick keys' tags; they are reached through "menu".
            view = viewWithTagOutside(view, tag, root.menuView());
        } else if (isNumber && tag != 0) {
            view = tk::viewWithTag(view, tag);
        } else if (i == 0) {
            view = namedStart(root, parts[i]);
        } else {
            return nullptr;
        }
        if (!view) return nullptr;
    }
    return view;
}

}  // namespace script
