#pragma once

#include <QPoint>
#include <QString>
#include <QTest>
#include <map>
#include <optional>
#include <string>

class QPointingDevice;

namespace mainscreen {
class AppDelegate;
}

namespace script {

// Script mode's fingers: `touch N down|move|tap WHERE`, `touch N up`, `touch cancel`, where
// N is a finger's number and WHERE a view path (its centre) or "X,Y" in points. They arrive
// as a driver's would: as touch events of a registered touch screen, through Qt's
// window-system interface, on the window at its scale. `tap` is a press and a release with
// nothing run in between. Main thread only.
class ScriptFingers {
public:
    explicit ScriptFingers(mainscreen::AppDelegate& app);
    ~ScriptFingers();

    // What is wrong with the line, or nothing when it was done.
    std::optional<std::string> perform(const QString& rest);

private:
    // The window point (device-independent pixels) for WHERE, or nothing.
    std::optional<QPoint> locate(const QString& where) const;

    mainscreen::AppDelegate& app_;
    QPointingDevice* device_;
    // Keeps where each finger was, so the ones held still are reported where they rest.
    std::optional<QTest::QTouchEventWidgetSequence> batch_;
    std::map<int, QPoint> down_;  // fingers on the glass, where they are
};

}  // namespace script
