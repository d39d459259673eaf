#include "main/toolkit/Animator.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <optional>
#include <vector>

#include "base/ManualClock.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

using Completions = std::vector<bool>;

struct AnimatorTest : ::testing::Test {
    base::ManualClock clock;
    tk::Animator animator{clock};
    QWidget root;
    QWidget* menu = new QWidget(&root);
    Completions completions;
    const QRect shown{10, 0, 66, 285};
    const QRect hidden{10, -600, 66, 285};

    AnimatorTest() { menu->setGeometry(hidden); }

    void slide(QRect to, double duration = 0.5, std::optional<double> alpha = {},
               double delay = 0) {
        animator.beginAnimations();
        animator.setAnimationDuration(duration);
        animator.setAnimationCurve(tk::AnimationCurve::Linear);
        if (delay > 0) animator.setAnimationDelay(delay);
        animator.setAnimationCompletion([this](bool finished) { completions.push_back(finished); });
        animator.setFrame(menu, to);
        if (alpha) animator.setAlpha(menu, *alpha);
        animator.commitAnimations();
    }
};

TEST_F(AnimatorTest, FrameAndAlphaMoveInStepsOverTheDurationLandExactlyAndCompleteOnce) {
    tk::setAlpha(menu, 0.0);
    slide(shown, 0.5, 1.0);
    EXPECT_EQ(menu->y(), -600) << "nothing moves before the clock does";
    EXPECT_EQ(animator.finalFrame(menu), shown);
    // Linear: in proportion to the time, and never more than a step of 20 points behind.
    for (int i = 1; i < 10; ++i) {
        clock.advance(0.05);
        EXPECT_NEAR(menu->y(), -600 + 60 * i, 20) << i;
        EXPECT_NEAR(tk::alphaOf(menu), 0.1 * i, 0.034) << i;
    }
    clock.advance(0.04);
    EXPECT_TRUE(completions.empty());

    clock.advance(0.01);
    EXPECT_EQ(menu->geometry(), shown);
    EXPECT_DOUBLE_EQ(tk::alphaOf(menu), 1.0);
    EXPECT_EQ(completions, Completions{true});
    EXPECT_FALSE(animator.isAnimating(menu));
    EXPECT_EQ(clock.pendingCount(), 0u) << "no stepping once everything stands";
}

TEST_F(AnimatorTest, ChangesOutsideABlockApplyAtOnceAndNestedBlocksBelongToTheOutermost) {
    animator.setFrame(menu, QRect(1, 2, 3, 4));
    animator.setAlpha(menu, 0.25);
    EXPECT_EQ(menu->geometry(), QRect(1, 2, 3, 4));
    EXPECT_DOUBLE_EQ(tk::alphaOf(menu), 0.25);

    animator.beginAnimations();
    animator.setAnimationDuration(0.5);
    animator.beginAnimations();
    animator.setFrame(menu, shown);
    animator.commitAnimations();
    animator.commitAnimations();
    clock.advance(0.2);
    EXPECT_NE(menu->y(), 0) << "still moving on the outer block's 0.5 s";
    clock.advance(0.3);
    EXPECT_EQ(menu->geometry(), shown);
}

TEST_F(AnimatorTest, NewAnimationTakesOverFromWhereTheViewStands) {
    slide(shown);
    clock.advance(0.25);
    const int middle = menu->y();
    slide(hidden, 0.5, 0.0);
    EXPECT_EQ(completions, Completions{false}) << "the first one was cut short";
    clock.advance(0.01);
    EXPECT_LE(menu->y(), middle);
    clock.advance(0.5);
    EXPECT_EQ(menu->geometry(), hidden);
}

TEST_F(AnimatorTest, DelayHoldsTheStartAndRemovalOrDeletionStopsWhereItStands) {
    slide(shown, 1.0, std::nullopt, 1.0);
    clock.advance(0.9);
    EXPECT_EQ(menu->y(), -600);
    clock.advance(0.6);
    const int stopped = menu->y();
    EXPECT_GT(stopped, -600);
    animator.removeAnimations(menu);
    clock.advance(5);
    EXPECT_EQ(menu->y(), stopped);
    EXPECT_EQ(completions, Completions{false});
    slide(QRect(0, 0, 10, 10));  // a deleted view ends its animation quietly
    delete menu;
    clock.advance(1);
    EXPECT_EQ(completions, (Completions{false, false}));
}

}  // namespace
