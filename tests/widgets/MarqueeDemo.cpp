// The phone's hint line alone in a window, for measuring what it costs:
//   marquee_demo [--still] [--seconds N] [--shot FILE.png]
// Prints how many clock callbacks ran, then quits after N seconds (10 by default).
#include <QApplication>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "base/NotificationCenter.h"
#include "eventloop/QtClock.h"
#include "widgets/HintLine.h"
#include "widgets/MarqueeLabel.h"

// Counts the calls that ran (on the main thread), to show how often the label wakes up.
struct CountingClock final : base::Clock {
    base::Clock& inner;
    std::size_t fired = 0;
    explicit CountingClock(base::Clock& clock) : inner(clock) {}
    double now() const override { return inner.now(); }
    TimerId callAfter(double delay, base::Task task) override {
        return inner.callAfter(delay, [this, task = std::move(task)] {
            ++fired;
            task();
        });
    }
    void cancel(TimerId id) override { inner.cancel(id); }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool still = args.contains("--still");
    const auto option = [&](const char* name) {
        const auto at = args.indexOf(name);
        return at > 0 ? args.value(at + 1) : QString();
    };
    const double seconds = option("--seconds").isEmpty() ? 10.0 : option("--seconds").toDouble();
    const QString shot = option("--shot");

    eventloop::QtClock qtClock;
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
    const int ms = static_cast<int>(seconds * 1000);
    if (!shot.isEmpty()) QTimer::singleShot(ms - 50, [&] { screen.grab().save(shot); });
    QTimer::singleShot(ms, &app, &QApplication::quit);
    const int result = app.exec();
    std::printf("%s hint, text width %.0f, %zu clock callbacks in %.1f s\n",
                still ? "still" : "scrolling", hint->textWidth(), clock.fired, seconds);
    return result;
}
