// Layout of the copies and their movements.
#include <cmath>

#include "widgets/MarqueeLabel.h"

namespace widgets {
namespace {

void placeCopy(MarqueeCopy* copy, const QRectF& frame) {
    copy->setGeometry(integralRect(frame).toRect());
}

}  // namespace

bool MarqueeLabel::labelShouldScroll() const {
    return !text_.isEmpty() && !labelize_ && textNeedsScrolling(metrics());
}

void MarqueeLabel::updateSublabelAndLocationsAndBeginScroll(bool begin) {
    if (text_.isEmpty()) {
        // Nothing to show: a movement of the previous text must not go on costing frames.
        returnLabelToOriginImmediately();
        return;
    }
    textWidth_ = std::ceil(measureTextWidth(text_));
    returnLabelToOriginImmediately();

    const MarqueeMetrics m = metrics();
    if (labelize_ || !labelShouldScroll()) {
        subLabel_->setAlignment(alignment_ | Qt::AlignVCenter);
        frames_ = stillFrames(m);
        removeExtraCopies();
        placeCopy(subLabel_, frames_->home);
        return;
    }

    frames_ = scrollFrames(m);
    if (isContinuous(m.type)) {
        if (copies().size() == 1) makeCopy(kSecondCopyTag);
        for (MarqueeCopy* copy : copies()) {
            copy->setText(text_);
            styleCopy(copy);
            copy->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    } else {
        const bool rightAligned = m.type == MarqueeType::RightLeft;
        subLabel_->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    animationDuration_ = scrollDuration(rate_, lengthOfScroll_, scrollDistance(m.type, *frames_));
    returnLabelToOriginImmediately();
    if (begin && !tapToScroll_ && !holdScrolling_) beginScroll();
}

void MarqueeLabel::restartLabel() {
    returnLabelToOriginImmediately();
    if (labelShouldScroll() && !tapToScroll_) beginScroll();
}

void MarqueeLabel::resetLabel() {
    returnLabelToOriginImmediately();
    frames_.reset();
}

void MarqueeLabel::shutdownLabel() {
    returnLabelToOriginImmediately();
}

void MarqueeLabel::pauseLabel() {
    if (isPaused_) return;
    motion_.pause();
    isPaused_ = true;
}

void MarqueeLabel::unpauseLabel() {
    if (!isPaused_) return;
    isPaused_ = false;
    motion_.resume();
}

void MarqueeLabel::beginScrollWithDelay(bool delay) {
    // A text that fits never moves, and a zero-length scroll would only spin the clock.
    if (!labelShouldScroll() || !(animationDuration_ > 0)) return;
    const MarqueeType type = effectiveMarqueeType(marqueeType_);
    const double interval =
        type == MarqueeType::Continuous ? 2 * animationDuration_ : animationDuration_;
    if (isContinuous(type)) {
        scrollContinuous(interval, delay ? animationDelay_ : 0);
    } else {
        scrollAway(interval, animationDelay_);
    }
}

// Only a shown label inside a screen moves; held scrolling starts nothing new.
bool MarqueeLabel::canStartMovement() const {
    return parentWidget() && isVisible() && firstAvailableViewController() && !holdScrolling_;
}

void MarqueeLabel::scrollAway(double interval, double delay) {
    if (!canStartMovement()) return;
    awayFromHome_ = true;
    const double target = awayLabelFrame().x();
    motion_.start({{subLabel_, static_cast<double>(subLabel_->x()), target}}, interval, delay,
                  easingFor(curve_), isPaused_,
                  [this, interval, delay] { scrollHome(interval, delay); });
}

void MarqueeLabel::scrollHome(double interval, double delay) {
    const double target = homeLabelFrame().x();
    motion_.start({{subLabel_, static_cast<double>(subLabel_->x()), target}}, interval, delay,
                  easingFor(curve_), isPaused_, [this, interval] {
                      awayFromHome_ = false;
                      if (!tapToScroll_ && !holdScrolling_) scrollAway(interval, animationDelay_);
                  });
}

void MarqueeLabel::scrollContinuous(double interval, double delay) {
    if (!canStartMovement()) return;
    returnLabelToOriginImmediately();
    awayFromHome_ = true;
    const MarqueeMetrics m = metrics();
    const double awayX = awayLabelFrame().x();
    std::vector<MarqueeMotion::Track> tracks;
    const std::vector<MarqueeCopy*> list = copies();
    for (size_t k = 0; k < list.size(); ++k) {
        tracks.push_back({list[k], static_cast<double>(list[k]->x()),
                          awayX + static_cast<double>(k) * copyAwaySpacing(m)});
    }
    motion_.start(std::move(tracks), interval, delay, easingFor(curve_), isPaused_,
                  [this, interval, delay] {
                      // The second copy now shows the text where the main one rests, so
                      // going back to rest is invisible; it also ends a last cycle for good.
                      returnLabelToOriginImmediately();
                      if (!tapToScroll_ && !holdScrolling_) scrollContinuous(interval, delay);
                  });
}

void MarqueeLabel::returnLabelToOriginImmediately() {
    motion_.stop();
    const QRectF home = homeLabelFrame();
    const double spacing = copyRestSpacing(metrics());
    const std::vector<MarqueeCopy*> list = copies();
    for (size_t k = 0; k < list.size(); ++k) {
        placeCopy(list[k], home.translated(static_cast<double>(k) * spacing, 0));
    }
    awayFromHome_ = false;
}

}  // namespace widgets
