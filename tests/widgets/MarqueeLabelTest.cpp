#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <functional>
#include <map>

#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "main/toolkit/Tag.h"
#include "support/Mouse.h"
#include "widgets/HintLine.h"
#include "widgets/MarqueeLabel.h"
#include "widgets/ViewController.h"

namespace {

using widgets::ControllerInfo;
using widgets::MarqueeLabel;

// Texts get the widths the test names, so the geometry does not depend on installed fonts.
struct PinnedLabel : MarqueeLabel {
    using MarqueeLabel::MarqueeLabel;
    std::map<QString, double> widths{{"short", 280}, {"long", 400}, {"longer", 500}};
    double measureTextWidth(const QString& text) const override {
        const auto it = widths.find(text);
        return it != widths.end() ? it->second : MarqueeLabel::measureTextWidth(text);
    }
};

// A shown screen on the manual clock. Labels are set up like the phone's hint line (300 wide,
// rate 100, fade 10, gap 50, linear), so a 400 wide text cycles in 1 s still + 2 × 4.6 s.
struct MarqueeTest : testing::Test {
    MarqueeTest() {
        screen.resize(600, 400);
        screen.show();
    }
    PinnedLabel* hintLine(int type = 2, QWidget* parent = nullptr, const QString& text = {}) {
        auto* label = new PinnedLabel(clock, center, QRect(90, 292, 300, 20),
                                      widgets::ScrollSpeed::pointsPerSecond(100), 10,
                                      parent ? parent : &screen);
        label->setMarqueeType(type);
        label->setAnimationCurve(static_cast<int>(widgets::AnimationCurve::Linear));
        label->setContinuousMarqueeExtraBuffer(50);
        label->show();
        if (!text.isEmpty()) label->setText(text);
        return label;
    }
    PinnedLabel* scrolling() { return hintLine(2, nullptr, "long"); }
    // The text copies: 700 is the main one, 701 the one trailing it.
    static QLabel* copy(MarqueeLabel* label, int tag = 700) {
        return tk::viewWithTag<QLabel>(label, tag);
    }
    static int x(MarqueeLabel* label, int tag = 700) { return copy(label, tag)->x(); }

    base::ManualClock clock;
    base::NotificationCenter center;
    QWidget screen;
};

// Where each style's text starts to scroll is checked on the geometry alone.
TEST_F(MarqueeTest, TextThatFitsStandsStillBetweenTheFadesAndSchedulesNothing) {
    PinnedLabel* label = hintLine(2);
    label->setAlignment(Qt::AlignRight);
    label->setText("short");  // 280 = W − 2F
    EXPECT_EQ(copy(label, 701), nullptr);
    EXPECT_TRUE(label->subLabel()->alignment() & Qt::AlignRight);
    EXPECT_EQ(clock.pendingCount(), 0u);
    clock.advance(60);
    EXPECT_EQ(copy(label)->geometry(), QRect(10, 0, 280, 20));
}

TEST_F(MarqueeTest, PhoneHintLineCyclesEvery9Point2SecondsAfterAOneSecondStandstill) {
    auto* label = scrolling();
    ASSERT_NE(copy(label, 701), nullptr);
    EXPECT_EQ(copy(label, 701)->size(), QSize(400, 20));
    for (double cycleStart : {0.0, 10.2}) {
        SCOPED_TRACE(cycleStart);
        EXPECT_EQ(clock.pendingCount(), 1u) << "the standstill is one wait, not a run of frames";
        clock.advance(cycleStart + 1.0 + 4.6 - clock.now());  // half way
        EXPECT_NEAR(x(label), -225, 1);
        EXPECT_NEAR(x(label, 701), 240, 1);
        clock.advance(cycleStart + 1.0 + 9.2 - 0.01 - clock.now());
        EXPECT_LT(x(label), -455);
        EXPECT_LT(x(label, 701), 16);
        clock.advance(cycleStart + 10.2 - clock.now());
        EXPECT_EQ(x(label), 10);
        EXPECT_EQ(x(label, 701), 470);
    }
}

TEST_F(MarqueeTest, RightLeftGoesAwayAndBackWithAStandstillAtEachEnd) {
    auto* label = hintLine(1, nullptr, "long");
    // Right-aligned at home; each step ends a standstill or a trip, the fourth is half way.
    const std::pair<double, int> steps[] = {{0, -110}, {1.0, -110}, {1.2, 10},
                                            {1.0, 10}, {0.6, -50},  {0.6, -110}};
    for (const auto& [step, expected] : steps) {
        clock.advance(step);
        EXPECT_NEAR(x(label), expected, 1) << clock.now();
    }
    label->setMarqueeType(2);
    ASSERT_NE(copy(label, 701), nullptr);
    label->setMarqueeType(0);
    EXPECT_EQ(copy(label, 701), nullptr);
}

TEST_F(MarqueeTest, LabelOutsideAShownWindowNeverSchedules) {
    auto* hidden = new PinnedLabel(clock, center, QRect(0, 0, 300, 20),
                                   widgets::ScrollSpeed::pointsPerSecond(100), 10, &screen);
    hidden->setText("long");
    hidden->restartLabel();
    EXPECT_EQ(clock.pendingCount(), 0u);
    hidden->show();
    EXPECT_EQ(clock.pendingCount(), 1u);
    clock.advance(3);
    hidden->hide();
    EXPECT_EQ(clock.pendingCount(), 0u);
    EXPECT_EQ(x(hidden), 10);
    // A label that is a window of its own belongs to no screen.
    PinnedLabel alone(clock, center, QRect(0, 0, 300, 20));
    alone.setText("long");
    alone.show();
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(MarqueeTest, SameTextKeepsTheScrollGoingAndTheLastOfRateAndLengthDecides) {
    auto* label = scrolling();
    clock.advance(1.0 + 2.3);  // a quarter of the cycle
    const int quarter = x(label);
    EXPECT_NEAR(quarter, -108, 1);
    label->setText("long");
    EXPECT_EQ(x(label), quarter);
    clock.advance(2.3);
    EXPECT_NEAR(x(label), -225, 1);

    label->setText("longer");  // a new text starts over from rest
    EXPECT_EQ(x(label), 10);
    label->setLengthOfScroll(3);
    EXPECT_EQ(label->rate(), 0);
    EXPECT_DOUBLE_EQ(label->animationDuration(), 3);
    label->setRate(50);
    EXPECT_EQ(label->lengthOfScroll(), 0);
    EXPECT_DOUBLE_EQ(label->animationDuration(), 11.2);
}

TEST_F(MarqueeTest, PauseFreezesTheMovementAndUnpauseGoesOnFromThere) {
    auto* label = scrolling();
    clock.advance(3.3);
    label->pauseLabel();
    const int frozen = x(label);
    EXPECT_EQ(clock.pendingCount(), 0u);
    clock.advance(20);
    EXPECT_EQ(x(label), frozen);
    label->unpauseLabel();
    clock.advance(2.3);
    EXPECT_NEAR(x(label), -225, 1);

    // Paused in the standstill: the rest of the standstill still comes after unpausing.
    label->setText("longer");
    clock.advance(0.5);
    label->pauseLabel();
    clock.advance(5);
    label->unpauseLabel();
    clock.advance(0.49);
    EXPECT_EQ(x(label), 10);
    clock.advance(0.01 + 5.6);
    EXPECT_NEAR(x(label), -275, 1);  // half way from 10 to -560
}

TEST_F(MarqueeTest, UnknownCurveValueKeepsThePreviousCurve) {
    auto* label = hintLine();
    label->setAnimationCurve(0x10000);
    label->setAnimationCurve(-5);
    EXPECT_EQ(label->animationCurve(), 0x10000);
    label->setText("long");
    clock.advance(3.3);
    EXPECT_GT(x(label), -100) << "ease-in starts slower than linear's -108 at a quarter";
}

TEST_F(MarqueeTest, LabelizeAndHoldStopTheScrollUntilTurnedOff) {
    auto* label = scrolling();
    clock.advance(4);
    label->setLabelize(true);
    EXPECT_EQ(copy(label)->geometry(), QRect(10, 0, 280, 20));
    EXPECT_EQ(copy(label, 701), nullptr);
    EXPECT_EQ(clock.pendingCount(), 0u);
    label->setLabelize(false);
    ASSERT_NE(copy(label, 701), nullptr);
    clock.advance(3);

    // A hold lets the running cycle end, then starts nothing until released.
    label->setHoldScrolling(true);
    clock.advance(7.2);  // the cycle ends at 14.2
    EXPECT_EQ(x(label), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
    label->restartLabel();
    EXPECT_EQ(clock.pendingCount(), 0u);
    label->setHoldScrolling(false);
    clock.advance(1.0 + 4.6);
    EXPECT_NEAR(x(label), -225, 1);
}

TEST_F(MarqueeTest, TapToScrollRunsExactlyOneMovementPerTap) {
    auto* continuous = hintLine(2);
    continuous->setTapToScroll(true);
    continuous->setText("long");
    EXPECT_EQ(clock.pendingCount(), 0u);
    testsupport::tap(continuous, {5, 5});
    clock.advance(4.6);  // no standstill before a tapped cycle
    EXPECT_NEAR(x(continuous), -225, 1);
    clock.advance(4.6);
    EXPECT_EQ(x(continuous), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
    continuous->setTapToScroll(false);
    EXPECT_TRUE(continuous->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Left-right: the trip away and home, each after the standstill, then nothing.
    auto* leftRight = hintLine(0);
    leftRight->setTapToScroll(true);
    leftRight->setText("long");  // 120 points at 100 per second
    testsupport::tap(leftRight, {5, 5});
    clock.advance(2.2);
    EXPECT_EQ(x(leftRight), -110);
    clock.advance(2.2);
    EXPECT_EQ(x(leftRight), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

// A label belongs to its nearest marked ancestor, else to its window.
TEST_F(MarqueeTest, ControllerOperationsReachOnlyTheLabelsOfThatScreen) {
    QWidget otherScreen(&screen);
    widgets::markAsViewController(&otherScreen);
    otherScreen.show();
    auto* mine = scrolling();
    auto* theirs = hintLine(2, &otherScreen, "long");
    MarqueeLabel::controllerLabelsShouldLabelize(center, &screen);
    EXPECT_TRUE(mine->labelize());
    EXPECT_FALSE(theirs->labelize());
    MarqueeLabel::controllerLabelsShouldAnimate(center, &screen);
    EXPECT_FALSE(mine->labelize());

    using Operation = void (*)(base::NotificationCenter&, QWidget*);
    for (Operation restart :
         {&MarqueeLabel::restartLabelsOfController, &MarqueeLabel::controllerViewWillAppear,
          &MarqueeLabel::controllerViewDidAppear, &MarqueeLabel::controllerViewAppearing}) {
        clock.advance(3.3);
        EXPECT_LT(x(theirs), 0);
        restart(center, &otherScreen);
        EXPECT_EQ(x(theirs), 10);
        EXPECT_LT(x(mine), 0) << "still on its first two cycles";
    }
    const int moved = x(mine);
    MarqueeLabel::restartLabelsOfController(center, nullptr);
    MarqueeLabel::controllerLabelsShouldLabelize(center, nullptr);
    center.post(widgets::kMarqueeRestartNotification, nullptr, std::string("junk"));
    EXPECT_EQ(x(mine), moved) << "no controller, or no user info: nothing happens";
    EXPECT_FALSE(mine->labelize());
}

TEST_F(MarqueeTest, LeavingTheScreenOrTheForegroundStopsAndComingBackRestarts) {
    auto* label = scrolling();
    QWidget other;
    const auto show = [&](QWidget* last, QWidget* next) {
        center.post(widgets::kNavigationDidShowNotification, nullptr,
                    ControllerInfo{{widgets::kLastVisibleControllerKey, last},
                                   {widgets::kNextVisibleControllerKey, next}});
    };
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const auto state = [app](Qt::ApplicationState state) {
        emit app->applicationStateChanged(state);
    };
    const std::pair<std::function<void()>, std::function<void()>> leaveAndReturn[] = {
        {[&] { show(&screen, &other); }, [&] { show(&other, &screen); }},
        {[&] { state(Qt::ApplicationSuspended); }, [&] { state(Qt::ApplicationActive); }},
    };
    for (const auto& [leave, comeBack] : leaveAndReturn) {
        clock.advance(3.3);
        leave();
        EXPECT_EQ(x(label), 10);
        EXPECT_EQ(clock.pendingCount(), 0u);
        comeBack();
        EXPECT_EQ(clock.pendingCount(), 1u);
    }
}

TEST_F(MarqueeTest, RotationHoldsTheScrollUntilTheNewLayoutStands) {
    auto* label = scrolling();
    clock.advance(3.3);
    emit QGuiApplication::primaryScreen()->orientationChanged(Qt::PortraitOrientation);
    EXPECT_TRUE(label->orientationWillChange());
    label->resize(200, 20);  // laid out again, but no scroll starts mid-rotation
    EXPECT_FALSE(label->awayFromHome());
    clock.runDue();
    EXPECT_TRUE(label->awayFromHome());
}

TEST_F(MarqueeTest, FadeMaskFollowsTheFadeLengthAndWidth) {
    auto* label = hintLine();
    // A solid white text over a black screen: dark at the edges, white in the middle, also
    // after the copies moved (each repaint starts again from what lies beneath).
    QPalette black = screen.palette();
    black.setColor(QPalette::Window, Qt::black);
    screen.setPalette(black);
    screen.setAutoFillBackground(true);
    label->setText("long");
    label->setTextColor(Qt::white);
    label->setBackgroundColor(Qt::white);
    auto shot = [&] { return screen.grab().toImage().copy(label->geometry()); };
    for (int frame = 0; frame < 2; ++frame) {
        clock.advance(1.0 + 4.6 + frame * 0.1 - clock.now());  // the main copy covers x = 0
        const QImage image = shot();
        EXPECT_LT(qRed(image.pixel(0, 10)), 40);
        EXPECT_EQ(qRed(image.pixel(150, 10)), 255);
        EXPECT_LT(qRed(image.pixel(299, 10)), 40);
    }

    label->setFadeLength(30);
    label->setText("short");  // 280 no longer fits between fades of 30
    EXPECT_TRUE(label->labelShouldScroll());
    const auto gradient = static_cast<widgets::MarqueeCopy*>(copy(label, 701))->fadeMask();
    ASSERT_TRUE(gradient);
    EXPECT_DOUBLE_EQ(gradient->stops()[1].first, 0.1);
    label->setFadeLength(0);
    EXPECT_FALSE(label->subLabel()->fadeMask());
    EXPECT_FALSE(label->labelShouldScroll());
    MarqueeLabel narrow(clock, center, QRect(0, 0, 40, 20),
                        widgets::ScrollSpeed::secondsPerScroll(7), 30);
    EXPECT_EQ(narrow.fadeLength(), 20) << "a fade is kept within half the width";
}

TEST_F(MarqueeTest, SizingAddsTheFadesToTheTextWidth) {
    auto* label = hintLine();
    label->minimizeLabelFrameWithMaximumSize(QSize(), true);
    EXPECT_EQ(label->size(), QSize(300, 20)) << "no text: nothing changes";
    label->setText("long");
    const int lineHeight = label->intrinsicContentSize().height();
    EXPECT_EQ(label->intrinsicContentSize().width(), 400);
    EXPECT_EQ(label->sizeThatFits(QSize(10, 10)), QSize(420, lineHeight));
    label->minimizeLabelFrameWithMaximumSize(QSize(350, 8), true);
    EXPECT_EQ(label->geometry(), QRect(90, 292, 350, 8));
    label->minimizeLabelFrameWithMaximumSize(QSize(0, 0), false);
    EXPECT_EQ(label->geometry(), QRect(90, 292, 420, 8));
    EXPECT_EQ(clock.pendingCount(), 0u) << "now wide enough to stand still";
}

// The hint line's settings are checked on the main screen's layout; here, its text copies.
TEST_F(MarqueeTest, HintLineCopiesTakeItsLookAndAFontChangeMeasuresTheTextAgain) {
    auto* hint = widgets::makeHintLine(clock, center, QRect(90, 292, 300, 20), false, &screen);
    EXPECT_EQ(hint->subLabel()->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(QFontInfo(hint->subLabel()->font()).bold());
    hint->setText(QString(60, QChar('W')));
    const double width = hint->textWidth();
    hint->setFont(widgets::hintLineFont(30));
    EXPECT_GT(hint->textWidth(), width * 1.5);
    EXPECT_EQ(hint->subLabel()->font().pixelSize(), 30);
}

}  // namespace
