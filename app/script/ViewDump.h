#pragma once

#include <QJsonObject>
#include <QWidget>

namespace mainscreen {
class AppDelegate;
}

namespace script {

// One object per view: "class", "tag", "frame" [x, y, w, h] relative to the parent,
// "hidden", "alpha", "image" (the picture's resource name or null), "text" (label text or
// button title, or null), "touchable" and "children" in stacking order, back first.
QJsonObject dumpView(const QWidget* view);

// The main screen's root view, plus "title", "hint", "alert" (null, or its "title",
// "message" and "button"), "navigation" (screen titles, bottom first) and
// "navigationBarHidden".
QJsonObject dumpScreen(const mainscreen::AppDelegate& app);

}  // namespace script
