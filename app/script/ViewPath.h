#pragma once

#include <QString>
#include <QWidget>

namespace mainscreen {
class RootViewController;
}

namespace script {

// Finds a view by a script path: tags separated by "/", each looked up inside the view found
// before, starting at the main screen's root view. The first part may instead be "menu" (the
// menu view) or the name of an untagged button ("menu-button", "service-button",
// "settings-button"). A first tag is not looked for inside the menu, whose entries reuse the
// quick keys' tags 2 to 4. nullptr when any part is not found or not a number.
QWidget* findViewByPath(mainscreen::RootViewController& root, const QString& path);

}  // namespace script
