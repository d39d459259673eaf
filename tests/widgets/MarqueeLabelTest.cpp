#include <gtest/gtest.h>

#include "MarqueeFixture.h"

namespace {

using marquee_test::MarqueeTest;
using widgets::MarqueeLabel;

TEST_F(MarqueeTest, TextThatFitsStandsStillBetweenTheFadesAndSchedulesNothing) {
    marquee_test::PinnedLabel* continuous = hintLine(2);
    continuous->setAlignment(Qt::AlignRight);
    continuous->setText("short");  // 280 = W − 2F
    marquee_test::PinnedLabel* leftRight = hintLine(0);
    leftRight->widths["short"] = 290;  // W − F
    leftRight->setText("short");
    for (marquee_test::PinnedLabel* label : {continuous, leftRight}) {
        EXPECT_FALSE(label->labelShouldScroll());
        EXPECT_EQ(copy(label)->geometry(), QRect(10, 0, 280, 20));
        EXPECT_EQ(copy(label, 701), nullptr);
    }
    EXPECT_TRUE(continuous->subLabel()->alignment() & Qt::AlignRight);
    EXPECT_EQ(clock.pendingCount(), 0u);
    clock.advance(60);
    EXPECT_EQ(copy(continuous)->geometry(), QRect(10, 0, 280, 20));

    leftRight->widths["wider"] = 291;
    leftRight->setText("wider");
    EXPECT_TRUE(leftRight->labelShouldScroll());
}

TEST_F(MarqueeTest, PhoneHintLineCyclesEvery9Point2SecondsAfterAOneSecondStandstill) {
    auto* label = hintLine();
    label->setText("long");
    EXPECT_DOUBLE_EQ(label->animationDuration(), 4.6);
    EXPECT_DOUBLE_EQ(label->textWidth(), 400);
    ASSERT_NE(copy(label, 701), nullptr);
    EXPECT_EQ(copy(label, 701)->geometry(), QRect(470, 0, 400, 20));
    EXPECT_TRUE(label->awayFromHome());

    for (double cycleStart : {0.0, 10.2}) {
        SCOPED_TRACE(cycleStart);
        // The standstill is one wait on the clock, not a stream of frames.
        EXPECT_EQ(clock.pendingCount(), 1u);
        clock.advance(cycleStart + 0.99 - clock.now());
        EXPECT_EQ(x(label), 10);
        EXPECT_EQ(x(label, 701), 470);
        clock.advance(cycleStart + 1.0 + 4.6 - clock.now());  // half way
        EXPECT_NEAR(x(label), -225, 1);
        EXPECT_NEAR(x(label, 701), 240, 1);
        clock.advance(cycleStart + 1.0 + 9.2 - 0.01 - clock.now());
        EXPECT_LT(x(label), -455);
        EXPECT_LT(x(label, 701), 16);
        clock.advance(cycleStart + 10.2 - clock.now());
        // The second copy ended where the main copy rests: both are back at rest.
        EXPECT_EQ(x(label), 10);
        EXPECT_EQ(x(label, 701), 470);
    }
}

TEST_F(MarqueeTest, LabelOutsideAShownWindowNeverSchedules) {
    auto* hidden =
        new marquee_test::PinnedLabel(clock, center, QRect(0, 0, 300, 20),
                                      widgets::ScrollSpeed::pointsPerSecond(100), 10, &screen);
    hidden->setText("long");
    EXPECT_EQ(clock.pendingCount(), 0u);
    hidden->restartLabel();
    EXPECT_EQ(clock.pendingCount(), 0u);

    hidden->show();
    EXPECT_EQ(clock.pendingCount(), 1u);
    clock.advance(3);
    hidden->hide();
    EXPECT_EQ(clock.pendingCount(), 0u);
    EXPECT_FALSE(hidden->awayFromHome());
    EXPECT_EQ(x(hidden), 10);

    // A label that is a window of its own belongs to no screen.
    marquee_test::PinnedLabel alone(clock, center, QRect(0, 0, 300, 20));
    alone.setText("long");
    alone.show();
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(MarqueeTest, SameTextAgainKeepsTheScrollGoing) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(1.0 + 2.3);  // a quarter of the cycle
    const int quarter = x(label);
    EXPECT_NEAR(quarter, -108, 1);
    label->setText("long");
    EXPECT_EQ(x(label), quarter);
    clock.advance(2.3);
    EXPECT_NEAR(x(label), -225, 1);

    label->setText("longer");  // a new text starts over from rest
    EXPECT_EQ(x(label), 10);
    EXPECT_DOUBLE_EQ(label->animationDuration(), 5.6);
}

TEST_F(MarqueeTest, WhicheverOfRateAndLengthWasSetLastDecides) {
    auto* label = hintLine();
    label->setText("long");
    label->setLengthOfScroll(3);
    EXPECT_EQ(label->rate(), 0);
    EXPECT_DOUBLE_EQ(label->animationDuration(), 3);
    label->setRate(50);
    EXPECT_EQ(label->lengthOfScroll(), 0);
    EXPECT_DOUBLE_EQ(label->animationDuration(), 9.2);
}

TEST_F(MarqueeTest, PauseFreezesTheMovementAndUnpauseGoesOnFromThere) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(3.3);
    label->pauseLabel();
    const int frozen = x(label);
    EXPECT_NEAR(frozen, -108, 1);
    EXPECT_TRUE(label->isPaused());
    EXPECT_EQ(clock.pendingCount(), 0u);
    clock.advance(20);
    EXPECT_EQ(x(label), frozen);
    label->unpauseLabel();
    EXPECT_FALSE(label->isPaused());
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
    label->setAnimationCurve(0x40000);
    EXPECT_EQ(label->animationCurve(), 0x30000);
    label->setAnimationCurve(0x10000);
    label->setAnimationCurve(-5);
    EXPECT_EQ(label->animationCurve(), 0x10000);
    // Ease-in starts slower than linear would (-108 at a quarter).
    label->setText("long");
    clock.advance(3.3);
    EXPECT_GT(x(label), -100);
}

TEST_F(MarqueeTest, LabelizeStopsTheTextAsAPlainLabelUntilTurnedOff) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(4);
    label->setLabelize(true);
    EXPECT_FALSE(label->labelShouldScroll());
    EXPECT_FALSE(label->awayFromHome());
    EXPECT_EQ(copy(label)->geometry(), QRect(10, 0, 280, 20));
    EXPECT_EQ(copy(label, 701), nullptr);
    EXPECT_EQ(clock.pendingCount(), 0u);

    label->setLabelize(false);
    ASSERT_NE(copy(label, 701), nullptr);
    EXPECT_EQ(clock.pendingCount(), 1u);
    clock.advance(1.0 + 4.6);
    EXPECT_NEAR(x(label), -225, 1);
}

TEST_F(MarqueeTest, HoldLetsTheRunningCycleEndThenStartsNothingUntilReleased) {
    auto* label = hintLine();
    label->setText("long");
    clock.advance(3);
    label->setHoldScrolling(true);
    clock.advance(7.2);  // the cycle ends at 10.2
    EXPECT_FALSE(label->awayFromHome());
    EXPECT_EQ(x(label), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
    label->restartLabel();
    EXPECT_EQ(clock.pendingCount(), 0u);

    label->setHoldScrolling(false);
    EXPECT_TRUE(label->awayFromHome());
    clock.advance(1.0 + 4.6);
    EXPECT_NEAR(x(label), -225, 1);
}

TEST_F(MarqueeTest, TapToScrollRunsExactlyOneMovementPerTap) {
    auto* continuous = hintLine(2);
    continuous->setTapToScroll(true);
    continuous->setText("long");
    EXPECT_EQ(clock.pendingCount(), 0u);
    tap(continuous);
    clock.advance(4.6);  // no standstill before a tapped cycle
    EXPECT_NEAR(x(continuous), -225, 1);
    clock.advance(4.6);
    EXPECT_EQ(x(continuous), 10);
    EXPECT_FALSE(continuous->awayFromHome());
    EXPECT_EQ(clock.pendingCount(), 0u);

    // Left-right: the trip away and home, each after the standstill, then nothing.
    continuous->setTapToScroll(false);
    EXPECT_TRUE(continuous->testAttribute(Qt::WA_TransparentForMouseEvents));
    auto* leftRight = hintLine(0);
    leftRight->setTapToScroll(true);
    leftRight->setText("long");  // 120 points at 100 per second
    tap(leftRight);
    clock.advance(2.2);
    EXPECT_EQ(x(leftRight), -110);
    clock.advance(2.2);
    EXPECT_EQ(x(leftRight), 10);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(MarqueeTest, LeftRightGoesAwayAndBackWithAStandstillAtEachEnd) {
    auto* label = hintLine(1);
    label->setText("long");
    EXPECT_EQ(x(label), -110);  // right-aligned at home
    EXPECT_DOUBLE_EQ(label->animationDuration(), 1.2);
    clock.advance(1.0);
    EXPECT_EQ(x(label), -110);
    clock.advance(1.2);
    EXPECT_EQ(x(label), 10);
    clock.advance(1.0);
    EXPECT_EQ(x(label), 10);
    clock.advance(0.6);
    EXPECT_NEAR(x(label), -50, 1);
    clock.advance(0.6);
    EXPECT_EQ(x(label), -110);

    label->setMarqueeType(2);
    ASSERT_NE(copy(label, 701), nullptr);
    label->setMarqueeType(0);
    EXPECT_EQ(copy(label, 701), nullptr);
}

TEST_F(MarqueeTest, ResetForgetsTheFramesUntilTheNextLayout) {
    auto* label = hintLine(0);
    label->setText("long");
    label->resetLabel();
    EXPECT_EQ(label->homeLabelFrame(), QRectF(10, 0, 410, 20));
    EXPECT_EQ(label->awayLabelFrame(), QRectF(-110, 0, 410, 20));
    label->updateSublabelAndLocations();
    EXPECT_EQ(label->homeLabelFrame(), QRectF(10, 0, 400, 20));
}

}  // namespace
