#include "app/script/ScriptFingers.h"

#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QStringList>
#include <QTest>
#include <QTouchEvent>
#include <QWindow>

#include "app/script/ViewPath.h"
#include "main/AppDelegate.h"
#include "main/toolkit/ScaledWindow.h"

namespace script {

namespace {
// One touch screen for the process: Qt keeps registered devices until it exits.
QPointingDevice* touchScreen() {
    static QPointingDevice* device =
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    return device;
}
}  // namespace

ScriptFingers::ScriptFingers(mainscreen::AppDelegate& app)
    : app_(app),
      device_(touchScreen()),
      batch_(QTest::touchEvent(app.hostWindow()->viewport(), device_, false)) {}

ScriptFingers::~ScriptFingers() = default;

std::optional<QPoint> ScriptFingers::locate(const QString& where) const {
    QPointF points;
    const QStringList xy = where.split(',');
    bool xOk = false, yOk = false;
    if (xy.size() == 2) points = QPointF(xy[0].toDouble(&xOk), xy[1].toDouble(&yOk));
    if (!xOk || !yOk) {
        QWidget* view = findViewByPath(app_.rootviewCtrl(), where);
        if (!view) return std::nullopt;
        points = view->mapTo(app_.window(), QRectF(view->rect()).center());
    }
    return app_.hostWindow()->windowPoint(points).toPoint();
}

std::optional<std::string> ScriptFingers::perform(const QString& rest) {
    const QStringList words = rest.split(' ', Qt::SkipEmptyParts);
    QWidget* surface = app_.hostWindow()->viewport();
    if (words == QStringList{"cancel"}) {
        // The system takes the touches away (a gesture, a dialog): Qt tells the window.
        QTouchEvent cancel(QEvent::TouchCancel, device_);
        QCoreApplication::sendEvent(app_.hostWindow()->windowHandle(), &cancel);
        down_.clear();
        return std::nullopt;
    }
    bool isNumber = false;
    const int finger = words.value(0).toInt(&isNumber);
    const QString step = words.value(1);
    const bool needsPlace = step == "down" || step == "move" || step == "tap";
    if (!isNumber || finger < 0 || (needsPlace ? words.size() != 3 : words.size() != 2) ||
        !(needsPlace || step == "up")) {
        return "touch needs N down|move|tap WHERE, N up or cancel, not \"" + rest.toStdString() +
               "\"";
    }
    const bool isDown = down_.count(finger) > 0;
    if ((step == "down" || step == "tap") == isDown)
        return "finger " + std::to_string(finger) + (isDown ? " is already down" : " is not down");
    std::optional<QPoint> at;
    if (needsPlace) {
        at = locate(words[2]);
        if (!at) return "no such view: " + words[2].toStdString();
    }
    // One batch per step, holding every other finger still, as a driver reports them.
    auto& batch = *batch_;
    const auto commit = [&] {
        for (const auto& [other, where] : down_)
            if (other != finger) batch.stationary(other);
        batch.commit(false);
    };
    if (step == "down" || step == "tap") {
        batch.press(finger, *at, surface);
        commit();
        if (step == "tap") {
            batch.release(finger, *at, surface);
            commit();
        } else {
            down_[finger] = *at;
        }
    } else if (step == "move") {
        batch.move(finger, *at, surface);
        commit();
        down_[finger] = *at;
    } else {
        batch.release(finger, down_[finger], surface);
        commit();
        down_.erase(finger);
    }
    return std::nullopt;
}

}  // namespace script
