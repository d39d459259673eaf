#pragma once

#include <map>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "main/toolkit/Tag.h"
#include "widgets/MarqueeLabel.h"

namespace marquee_test {

// Texts get the widths the test names, so the geometry does not depend on installed fonts.
class PinnedLabel : public widgets::MarqueeLabel {
public:
    using MarqueeLabel::MarqueeLabel;
    std::map<QString, double> widths{{"short", 280}, {"long", 400}, {"longer", 500}};

protected:
    double measureTextWidth(const QString& text) const override {
        const auto it = widths.find(text);
        return it != widths.end() ? it->second : MarqueeLabel::measureTextWidth(text);
    }
};

// A shown screen on the manual clock, holding labels set up like the phone's hint line
// (300 wide, rate 100, fade 10, gap 50, linear).
class MarqueeTest : public testing::Test {
protected:
    MarqueeTest() {
        screen.resize(600, 400);
        screen.show();
    }

    PinnedLabel* hintLine(int type = 2, QWidget* parent = nullptr) {
        auto* label = new PinnedLabel(clock, center, QRect(90, 292, 300, 20),
                                      widgets::ScrollSpeed::pointsPerSecond(100), 10,
                                      parent ? parent : &screen);
        label->setMarqueeType(type);
        label->setAnimationCurve(static_cast<int>(widgets::AnimationCurve::Linear));
        label->setContinuousMarqueeExtraBuffer(50);
        label->show();
        return label;
    }

    static QLabel* copy(widgets::MarqueeLabel* label, int tag = 700) {
        return tk::viewWithTag<QLabel>(label, tag);
    }
    static int x(widgets::MarqueeLabel* label, int tag = 700) { return copy(label, tag)->x(); }

    static void tap(QWidget* view) {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &press);
        QCoreApplication::sendEvent(view, &release);
    }

    base::ManualClock clock;
    base::NotificationCenter center;
    QWidget screen;
};

}  // namespace marquee_test
