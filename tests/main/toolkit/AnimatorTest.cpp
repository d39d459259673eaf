#include "main/toolkit/Animator.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "base/ManualClock.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

struct AnimatorTest : ::testing::Test {
    base::ManualClock clock;
    tk::Animator animator{clock};
    QWidget root;
    QWidget* menu = new QWidget(&root);

    AnimatorTest() { menu->setGeometry(10, -600, 66, 285); }

    void slide(double duration, QRect to, double alpha) {
        animator.beginAnimations();
        animator.setAnimationDuration(duration);
        animator.setFrame(menu, to);
        animator.setAlpha(menu, alpha);
        animator.commitAnimations();
    }
};

TEST_F(AnimatorTest, FrameAndAlphaMoveOverTheDurationAndLandExactly) {
    tk::setAlpha(menu, 0.0);
    slide(0.5, QRect(10, 0, 66, 285), 1.0);
    EXPECT_EQ(menu->y(), -600) << "nothing moves before the clock does";
    EXPECT_EQ(animator.finalFrame(menu), QRect(10, 0, 66, 285));

    clock.advance(0.25);
    EXPECT_GT(menu->y(), -600);
    EXPECT_LT(menu->y(), 0);
    EXPECT_GT(tk::alphaOf(menu), 0.0);
    EXPECT_LT(tk::alphaOf(menu), 1.0);

    clock.advance(0.25);
    EXPECT_EQ(menu->geometry(), QRect(10, 0, 66, 285));
    EXPECT_DOUBLE_EQ(tk::alphaOf(menu), 1.0);
    EXPECT_FALSE(animator.isAnimating(menu));
    EXPECT_EQ(clock.pendingCount(), 0u) << "no stepping once everything stands";
}

TEST_F(AnimatorTest, MovementIsMonotonicAndSteppedOften) {
    animator.beginAnimations();
    animator.setAnimationDuration(0.5);
    animator.setAnimationCurve(tk::AnimationCurve::Linear);
    animator.setFrame(menu, QRect(10, 0, 66, 285));
    animator.commitAnimations();
    std::vector<int> ys;
    for (int i = 0; i < 10; ++i) {
        clock.advance(0.05);
        ys.push_back(menu->y());
    }
    for (size_t i = 1; i < ys.size(); ++i) EXPECT_GT(ys[i], ys[i - 1]);
    // Linear: half way in time is half way in space.
    EXPECT_EQ(ys[4], -300);
}

TEST_F(AnimatorTest, ChangesOutsideABlockApplyAtOnce) {
    animator.setFrame(menu, QRect(1, 2, 3, 4));
    animator.setAlpha(menu, 0.25);
    EXPECT_EQ(menu->geometry(), QRect(1, 2, 3, 4));
    EXPECT_DOUBLE_EQ(tk::alphaOf(menu), 0.25);
}

TEST_F(AnimatorTest, CompletionRunsOnceWhenAllChangesEnd) {
    std::vector<bool> completions;
    animator.beginAnimations();
    animator.setAnimationDuration(0.5);
    animator.setAnimationCompletion([&](bool finished) { completions.push_back(finished); });
    animator.setFrame(menu, QRect(10, 0, 66, 285));
    animator.setAlpha(menu, 0.0);
    animator.commitAnimations();
    clock.advance(0.49);
    EXPECT_TRUE(completions.empty());
    clock.advance(0.01);
    EXPECT_EQ(completions, std::vector<bool>{true});
}

TEST_F(AnimatorTest, NewAnimationTakesOverFromWhereTheViewStands) {
    std::vector<bool> completions;
    animator.beginAnimations();
    animator.setAnimationDuration(0.5);
    animator.setAnimationCompletion([&](bool finished) { completions.push_back(finished); });
    animator.setFrame(menu, QRect(10, 0, 66, 285));
    animator.commitAnimations();
    clock.advance(0.25);
    const int middle = menu->y();

    slide(0.5, QRect(10, -600, 66, 285), 0.0);
    EXPECT_EQ(completions, std::vector<bool>{false});
    clock.advance(0.01);
    EXPECT_LE(menu->y(), middle);
    clock.advance(0.5);
    EXPECT_EQ(menu->geometry(), QRect(10, -600, 66, 285));
}

TEST_F(AnimatorTest, DelayHoldsTheStartAndRemovalStopsWhereItStands) {
    animator.beginAnimations();
    animator.setAnimationDuration(1.0);
    animator.setAnimationDelay(1.0);
    animator.setFrame(menu, QRect(10, 0, 66, 285));
    animator.commitAnimations();
    clock.advance(0.9);
    EXPECT_EQ(menu->y(), -600);
    clock.advance(0.6);
    const int stopped = menu->y();
    EXPECT_GT(stopped, -600);
    animator.removeAnimations(menu);
    clock.advance(5);
    EXPECT_EQ(menu->y(), stopped);
}

TEST_F(AnimatorTest, DeletedViewEndsItsAnimationQuietly) {
    bool finished = true;
    animator.beginAnimations();
    animator.setAnimationCompletion([&](bool f) { finished = f; });
    animator.setFrame(menu, QRect(0, 0, 10, 10));
    animator.commitAnimations();
    delete menu;
    clock.advance(1);
    EXPECT_FALSE(finished);
}

TEST_F(AnimatorTest, NestedBlocksBelongToTheOutermost) {
    animator.beginAnimations();
    animator.setAnimationDuration(0.5);
    animator.beginAnimations();
    animator.setFrame(menu, QRect(10, 0, 66, 285));
    animator.commitAnimations();
    EXPECT_TRUE(animator.isInBlock());
    animator.commitAnimations();
    clock.advance(0.2);
    EXPECT_NE(menu->y(), 0) << "still moving on the outer block's 0.5 s";
    clock.advance(0.3);
    EXPECT_EQ(menu->y(), 0);
}

}  // namespace
