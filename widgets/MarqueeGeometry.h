#pragma once

#include <QRectF>

namespace widgets {

// Scroll styles of the marquee label. A stored value outside these behaves as LeftRight.
enum class MarqueeType {
    LeftRight = 0,
    RightLeft = 1,
    Continuous = 2,
    ContinuousReverse = 3,
};

MarqueeType effectiveMarqueeType(int value);
bool isContinuous(MarqueeType type);

// Everything the copies' frames depend on: the label's width W and height, the fade length
// F, the extra gap B between continuous copies and the measured text width T.
struct MarqueeMetrics {
    MarqueeType type = MarqueeType::LeftRight;
    double width = 0;
    double height = 0;
    double fade = 0;
    double buffer = 0;
    double textWidth = 0;
};

// Start and end frame of the main copy.
struct MarqueeFrames {
    QRectF home;
    QRectF away;
};

// True when the text does not fit between the fades (both fades count for the continuous
// style, one for the others).
bool textNeedsScrolling(const MarqueeMetrics& m);

// A text that stands still: both frames are the box between the fades.
MarqueeFrames stillFrames(const MarqueeMetrics& m);

// The frames of a scrolling text, by style.
MarqueeFrames scrollFrames(const MarqueeMetrics& m);

// The frames used after a reset, until the next layout computes the real ones.
MarqueeFrames defaultFrames(const MarqueeMetrics& m);

// How far one scroll carries the text, which with a rate gives its duration.
double scrollDistance(MarqueeType type, const MarqueeFrames& frames);
double scrollDuration(double rate, double lengthOfScroll, double distance);

// Offset of copy k from the main copy at rest (k × restSpacing) and at the end of a
// continuous cycle (k × awaySpacing).
double copyRestSpacing(const MarqueeMetrics& m);
double copyAwaySpacing(const MarqueeMetrics& m);

// The smallest rectangle on whole points that contains `rect`.
QRectF integralRect(const QRectF& rect);

}  // namespace widgets
