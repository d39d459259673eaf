#include "app/script/ViewDump.h"

#include <QJsonArray>
#include <QLabel>
#include <cmath>

#include "main/AppDelegate.h"
#include "main/toolkit/AlertView.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/ScaledWindow.h"
#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"
#include "service/UploadProgressView.h"
#include "widgets/MarqueeLabel.h"

namespace script {

namespace {
QJsonValue orNull(const QString& text) {
    return text.isEmpty() ? QJsonValue() : text;
}

QString className(const QWidget* view) {
    const QString name = view->metaObject()->className();
    const int colons = name.lastIndexOf("::");
    return colons < 0 ? name : name.mid(colons + 2);
}

QJsonValue imageOf(const QWidget* view) {
    if (auto* button = qobject_cast<const tk::ImageButton*>(view)) {
        return orNull(button->backgroundImage().name());
    }
    if (auto* image = qobject_cast<const tk::ImageView*>(view))
        return orNull(image->image().name());
    return QJsonValue();
}

QJsonValue textOf(const QWidget* view) {
    if (auto* button = qobject_cast<const tk::ImageButton*>(view)) return orNull(button->title());
    if (auto* label = qobject_cast<const tk::Label*>(view)) return label->text();
    if (auto* marquee = qobject_cast<const widgets::MarqueeLabel*>(view)) return marquee->text();
    if (auto* label = qobject_cast<const QLabel*>(view)) return label->text();
    // The update's progress, as it reads under its bar.
    if (auto* progress = qobject_cast<const service::UploadProgressView*>(view))
        return progress->isVisibleTo(view->window()) ? progress->text() : QJsonValue();
    return QJsonValue();
}

// The scrolling state of a hint line, for checking its motion without a display.
void addMarqueeState(const QWidget* view, QJsonObject& object) {
    auto* marquee = qobject_cast<const widgets::MarqueeLabel*>(view);
    if (!marquee) return;
    object["rate"] = marquee->rate();
    object["lengthOfScroll"] = marquee->lengthOfScroll();
    object["fadeLength"] = marquee->fadeLength();
    object["marqueeType"] = marquee->marqueeType();
    object["continuousMarqueeExtraBuffer"] = marquee->continuousMarqueeExtraBuffer();
    object["animationDuration"] = marquee->animationDuration();
    object["awayFromHome"] = marquee->awayFromHome();
    object["labelize"] = marquee->labelize();
    object["textWidth"] = marquee->textWidth();
}

QJsonValue optionalText(const QWidget* view) {
    return view ? textOf(view) : QJsonValue();
}
}  // namespace

QJsonObject dumpView(const QWidget* view) {
    const QRect frame = view->geometry();
    QJsonArray children;
    for (const QObject* child : view->children()) {
        // Top-level children (dialogs, removed views waiting for deletion) are not in the tree.
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget && !widget->isWindow()) children.append(dumpView(widget));
    }
    QJsonObject object{{"class", className(view)},
                       {"tag", tk::tagOf(view)},
                       {"frame", QJsonArray{frame.x(), frame.y(), frame.width(), frame.height()}},
                       {"hidden", view->isHidden()},
                       {"alpha", tk::alphaOf(view)},
                       {"image", imageOf(view)},
                       {"text", textOf(view)},
                       {"touchable", tk::takesTouches(view)},
                       {"children", children}};
    addMarqueeState(view, object);
    return object;
}

QJsonObject dumpScreen(const mainscreen::AppDelegate& app) {
    auto& root = app.rootviewCtrl();
    QJsonObject screen = dumpView(root.view());
    screen["title"] = optionalText(root.titleLabel());
    screen["hint"] = optionalText(root.hintLine());
    QJsonValue alert;
    if (auto* shown = tk::AlertView::visibleAlert(app.window())) {
        alert = QJsonObject{{"title", shown->title()},
                            {"message", shown->message()},
                            {"button", shown->buttonTitle()}};
    }
    screen["alert"] = alert;
    const tk::ScaledWindow* window = app.hostWindow();
    screen["windowTitle"] = window->windowTitle();
    // The window in device-independent pixels, and device pixels per point.
    screen["window"] =
        QJsonObject{{"size", QJsonArray{window->width(), window->height()}},
                    {"scale", std::round(window->devicePixelsPerPoint() * 10000.0) / 10000.0}};
    // The media volume as the app reads it, to four places (a float's 0.7 is 0.69999998);
    // null until the main screen has made its player.
    const tk::MediaVolume* player = root.applicationMusicPlayer();
    screen["volume"] =
        player ? QJsonValue(std::round(player->volume() * 10000.0) / 10000.0) : QJsonValue();
    QJsonArray navigation;
    for (const auto* controller : app.navigationController()->viewControllers()) {
        navigation.append(controller->title());
    }
    screen["navigation"] = navigation;
    // A screen pushed over the main one (the update file chooser) shows its list's rows.
    QJsonValue list;
    auto* top = app.navigationController()->topViewController();
    if (top && top != app.navigationController()->rootViewController()) {
        if (auto* shown = qobject_cast<const tk::ListView*>(top->view())) {
            QJsonArray rows;
            for (int row = 0; row < shown->numberOfRows(); ++row) {
                const tk::ListCell* cell = shown->cellForRow(row);
                rows.append(cell ? cell->textLabel()->text() : QString());
            }
            list = QJsonObject{{"header", shown->headerTitle()}, {"rows", rows}};
        }
    }
    screen["list"] = list;
    screen["navigationBarHidden"] = app.navigationController()->isNavigationBarHidden();
    return screen;
}

}  // namespace script
