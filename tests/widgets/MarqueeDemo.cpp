// The phone's hint line alone in a window, for measuring what it costs:
//   marquee_demo [--still] [--seconds N] [--shot FILE.png]
// Prints how many clock callbacks ran, then quits after N seconds (10 by default).
#include <QApplication>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "base/NotificationCenter.h"
#include "main/toolkit/QtClock.h"
#include "widgets/HintLine.h"
#include "widgets/MarqueeLabel.h"

namespace {

// Counts the calls that ran, to show how often a scrolling or a still label wakes up.
class CountingClock final : public base::Clock {
public:
    explicit CountingClock(base::Clock& inner) : inner_(inner) {}
    double now() const override { return inner_.now(); }
    TimerId callAfter(double delay, base::Task task) override {
        return inner_.callAfter(delay, [this, task = std::move(task)] {
            ++fired_;
            task();
        });
    }
    void cancel(TimerId id) override { inner_.cancel(id); }
    std::size_t fired() const { return fired_; }

private:
    base::Clock& inner_;
    std::size_t fired_ = 0;  // main thread only
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool still = args.contains("--still");
    const int secondsAt = static_cast<int>(args.indexOf("--seconds"));
    const double seconds = secondsAt > 0 ? args.value(secondsAt + 1).toDouble() : 10.0;
    const int shotAt = static_cast<int>(args.indexOf("--shot"));
    const QString shot = shotAt > 0 ? args.value(shotAt + 1) : QString();

    tk::QtClock qtClock;
    CountingClock clock(qtClock);
    base::NotificationCenter center;
    QWidget screen;
    screen.resize(480, 320);
    QPalette palette = screen.palette();
    palette.setColor(QPalette::Window, QColor(40, 60, 90));
    screen.setPalette(palette);
    screen.setAutoFillBackground(true);
    auto* hint = widgets::makeHintLine(clock, center, QRect(90, 292, 300, 20), false, &screen);
    hint->setText(still ? "Massage paused"
                        : "Please sit down, lean back and press the power button to start the "
                          "chair's automatic programme");
    screen.show();

    if (!shot.isEmpty()) {
        QTimer::singleShot(static_cast<int>(seconds * 1000) - 50,
                           [&] { screen.grab().save(shot); });
    }
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QApplication::quit);
    const int result = app.exec();
    std::printf("%s hint, text width %.0f, %zu clock callbacks in %.1f s\n",
                still ? "still" : "scrolling", hint->textWidth(), clock.fired(), seconds);
    return result;
}
