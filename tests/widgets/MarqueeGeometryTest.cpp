#include <gtest/gtest.h>

#include "widgets/FadeMask.h"
#include "widgets/MarqueeCurve.h"
#include "widgets/MarqueeGeometry.h"

namespace {

using widgets::MarqueeMetrics;
using widgets::MarqueeType;

// The phone's hint line: W 300, height 20, F 10, B 50, a text 400 wide.
MarqueeMetrics hintLine(MarqueeType type, double textWidth = 400) {
    return {type, 300, 20, 10, 50, textWidth};
}

TEST(MarqueeGeometry, HomeAndAwayFramesOfEachStyle) {
    struct Case {
        int style;
        double homeX, awayX;
    };
    // left-right: away = home + (W − 2F − T); right-left: home W − (T + F), away F;
    // continuous: away = home − (T + 2F + B); reverse: away = home + (T + 2F + B).
    for (const Case& c : {Case{0, 10, -110}, Case{1, -110, 10}, Case{2, 10, -460},
                          Case{3, -110, 360}, Case{7, 10, -110}, Case{-1, 10, -110}}) {
        SCOPED_TRACE(c.style);
        const auto frames = widgets::scrollFrames(hintLine(widgets::effectiveMarqueeType(c.style)));
        EXPECT_EQ(frames.home, QRectF(c.homeX, 0, 400, 20));
        EXPECT_EQ(frames.away, QRectF(c.awayX, 0, 400, 20));
    }
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
    EXPECT_EQ(widgets::stillFrames(hintLine(MarqueeType::Continuous, 100)).home,
              QRectF(10, 0, 280, 20));
}

TEST(MarqueeGeometry, DistanceAndDurationFollowTheStyle) {
    const auto continuous = hintLine(MarqueeType::Continuous);
    const double distance =
        widgets::scrollDistance(MarqueeType::Continuous, widgets::scrollFrames(continuous));
    EXPECT_DOUBLE_EQ(distance, 460);
    EXPECT_DOUBLE_EQ(widgets::scrollDuration(100, 0, distance), 4.6);
    EXPECT_DOUBLE_EQ(widgets::scrollDuration(0, 7, distance), 7);
    const auto leftRight = hintLine(MarqueeType::LeftRight);
    EXPECT_DOUBLE_EQ(
        widgets::scrollDistance(MarqueeType::LeftRight, widgets::scrollFrames(leftRight)), 120);
    // The second copy trails by T + F + B at rest and by T + 2F + B at the end of a cycle.
    EXPECT_DOUBLE_EQ(widgets::copyRestSpacing(continuous), 460);
    EXPECT_DOUBLE_EQ(widgets::copyAwaySpacing(continuous), 470);
    EXPECT_DOUBLE_EQ(widgets::copyRestSpacing(hintLine(MarqueeType::ContinuousReverse)), -460);
}

TEST(MarqueeGeometry, FramesLieOnWholePoints) {
    EXPECT_EQ(widgets::integralRect(QRectF(10.5, 0.2, 99.2, 19.9)), QRectF(10, 0, 100, 21));
    MarqueeMetrics reset = hintLine(MarqueeType::LeftRight);
    EXPECT_EQ(widgets::defaultFrames(reset).home, QRectF(10, 0, 410, 20));
    EXPECT_EQ(widgets::defaultFrames(reset).away, QRectF(-110, 0, 410, 20));
}

TEST(FadeMask, StopsSitAtTheFadeEdgesAndNeverCross) {
    const auto colors = widgets::defaultFadeColors();
    const auto stops = widgets::fadeMaskStops(10, 300, colors);
    ASSERT_EQ(stops.size(), 4);
    EXPECT_DOUBLE_EQ(stops[0].first, 0);
    EXPECT_DOUBLE_EQ(stops[1].first, 10.0 / 300);
    EXPECT_DOUBLE_EQ(stops[2].first, 1 - 10.0 / 300);
    EXPECT_DOUBLE_EQ(stops[3].first, 1);
    EXPECT_EQ(stops[0].second.alpha(), 0);
    EXPECT_EQ(stops[1].second, QColor(Qt::black));
    const auto wide = widgets::fadeMaskStops(400, 300, colors);
    EXPECT_DOUBLE_EQ(wide[1].first, 0.5);
    EXPECT_DOUBLE_EQ(wide[2].first, 0.5);
}

TEST(AnimationCurve, OnlyTheFourOptionsAreCurves) {
    EXPECT_EQ(widgets::animationCurveFromOption(0x30000), widgets::AnimationCurve::Linear);
    EXPECT_EQ(widgets::animationCurveFromOption(0x10000), widgets::AnimationCurve::EaseIn);
    EXPECT_FALSE(widgets::animationCurveFromOption(0x40000));
    EXPECT_FALSE(widgets::animationCurveFromOption(1));
    // Ease-in lags behind linear early on, ease-out runs ahead.
    const double early = 0.25;
    EXPECT_LT(widgets::easingFor(widgets::AnimationCurve::EaseIn).valueForProgress(early), early);
    EXPECT_GT(widgets::easingFor(widgets::AnimationCurve::EaseOut).valueForProgress(early), early);
}

}  // namespace
