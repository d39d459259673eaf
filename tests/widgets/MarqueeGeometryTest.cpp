#include <gtest/gtest.h>

#include "widgets/FadeMask.h"
#include "widgets/MarqueeCurve.h"
#include "widgets/MarqueeGeometry.h"

namespace {

using widgets::MarqueeType;

// The phone's hint line: W 300, height 20, F 10, B 50, a text 400 wide.
widgets::MarqueeMetrics hintLine(MarqueeType type, double textWidth = 400) {
    return {type, 300, 20, 10, 50, textWidth};
}

TEST(MarqueeGeometry, HomeAndAwayFramesAndCopySpacingOfEachStyle) {
    // left-right: away = home + (W − 2F − T); right-left: home W − (T + F), away F;
    // continuous: away = home − (T + 2F + B); reverse: away = home + (T + 2F + B).
    const struct {
        int style;
        double homeX, awayX;
    } cases[] = {{0, 10, -110},  {1, -110, 10}, {2, 10, -460},
                 {3, -110, 360}, {7, 10, -110}, {-1, 10, -110}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const auto frames = widgets::scrollFrames(hintLine(widgets::effectiveMarqueeType(c.style)));
        EXPECT_EQ(frames.home, QRectF(c.homeX, 0, 400, 20));
        EXPECT_EQ(frames.away, QRectF(c.awayX, 0, 400, 20));
    }
    // The second copy trails by T + F + B at rest and by T + 2F + B at the end of a cycle.
    EXPECT_DOUBLE_EQ(widgets::copyAwaySpacing(hintLine(MarqueeType::Continuous)), 470);
    EXPECT_DOUBLE_EQ(widgets::copyRestSpacing(hintLine(MarqueeType::ContinuousReverse)), -460);
    EXPECT_EQ(widgets::integralRect(QRectF(10.5, 0.2, 99.2, 19.9)), QRectF(10, 0, 100, 21));
}

TEST(MarqueeGeometry, ScrollsOnlyPastTheFadesItMustClear) {
    // Continuous needs room for both fades, the others for one.
    EXPECT_FALSE(widgets::textNeedsScrolling(hintLine(MarqueeType::Continuous, 280)));
    EXPECT_TRUE(widgets::textNeedsScrolling(hintLine(MarqueeType::Continuous, 281)));
    for (auto type :
         {MarqueeType::LeftRight, MarqueeType::RightLeft, MarqueeType::ContinuousReverse}) {
        EXPECT_FALSE(widgets::textNeedsScrolling(hintLine(type, 290)));
        EXPECT_TRUE(widgets::textNeedsScrolling(hintLine(type, 291)));
    }
}

// What the colours hide and show is checked on the painted label.
TEST(FadeMask, StopsSitAtTheFadeEdgesAndNeverCross) {
    const auto stops = widgets::fadeMaskStops(10, 300, widgets::defaultFadeColors());
    ASSERT_EQ(stops.size(), 4);
    EXPECT_DOUBLE_EQ(stops[1].first, 10.0 / 300);
    EXPECT_DOUBLE_EQ(stops[2].first, 1 - 10.0 / 300);
    const auto wide = widgets::fadeMaskStops(400, 300, widgets::defaultFadeColors());
    EXPECT_DOUBLE_EQ(wide[1].first, 0.5);
    EXPECT_DOUBLE_EQ(wide[2].first, 0.5);
}

TEST(AnimationCurve, OnlyTheFourOptionsAreCurves) {
    EXPECT_EQ(widgets::animationCurveFromOption(0x30000), widgets::AnimationCurve::Linear);
    EXPECT_EQ(widgets::animationCurveFromOption(0x10000), widgets::AnimationCurve::EaseIn);
    EXPECT_FALSE(widgets::animationCurveFromOption(0x40000));
    EXPECT_FALSE(widgets::animationCurveFromOption(1));
    // Ease-in lags behind linear early on, ease-out runs ahead.
    EXPECT_LT(widgets::easingFor(widgets::AnimationCurve::EaseIn).valueForProgress(0.25), 0.25);
    EXPECT_GT(widgets::easingFor(widgets::AnimationCurve::EaseOut).valueForProgress(0.25), 0.25);
}

}  // namespace
