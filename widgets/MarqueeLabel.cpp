#include "widgets/MarqueeLabel.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPalette>

#include "main/toolkit/Tag.h"
#include "widgets/ViewController.h"

namespace widgets {
namespace {
constexpr double kDefaultLengthOfScroll = 7.0;
}

MarqueeLabel::MarqueeLabel(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                           QWidget* parent)
    : QWidget(parent), clock_(clock), center_(center), motion_(clock) {
    setUp(frame, ScrollSpeed::secondsPerScroll(kDefaultLengthOfScroll), 0);
}

MarqueeLabel::MarqueeLabel(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                           ScrollSpeed speed, double fadeLength, QWidget* parent)
    : QWidget(parent), clock_(clock), center_(center), motion_(clock) {
    setUp(frame, speed, fadeLength);
}

MarqueeLabel::~MarqueeLabel() {
    motion_.stop();
    if (rotationEnd_) clock_.cancel(*rotationEnd_);
}

void MarqueeLabel::setUp(const QRect& frame, ScrollSpeed speed, double fadeLength) {
    rate_ = speed.rate;
    lengthOfScroll_ = speed.lengthOfScroll;
    fadeLength_ = std::clamp(fadeLength, 0.0, frame.width() / 2.0);
    // Untouchable until tap-to-scroll is on, so touches reach whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(frame);
    subLabel_ = makeCopy(kMainCopyTag);
    subLabel_->setGeometry(QRect(0, 0, frame.width(), frame.height()));
    applyGradientMask();
    observeEvents();
}

void MarqueeLabel::setText(const QString& text) {
    if (text == text_) return;  // the same text keeps its scroll going
    text_ = text;
    // A screen reader reads the whole text, not the part scrolled into view.
    setAccessibleName(text_);
    for (MarqueeCopy* copy : copies()) copy->setText(text_);
    updateSublabelAndLocations();
}

void MarqueeLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    // A scrolling text is laid out by its style; only a still one shows the alignment.
    if (labelize_ || !labelShouldScroll()) subLabel_->setAlignment(alignment_ | Qt::AlignVCenter);
}

void MarqueeLabel::setTextColor(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);  // the copies inherit it
}

void MarqueeLabel::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    for (MarqueeCopy* copy : copies()) styleCopy(copy);
}

void MarqueeLabel::setShadowColor(const QColor& color) {
    shadowColor_ = color;
    for (MarqueeCopy* copy : copies()) styleCopy(copy);
}

void MarqueeLabel::setShadowOffset(const QPointF& offset) {
    shadowOffset_ = offset;
    for (MarqueeCopy* copy : copies()) styleCopy(copy);
}

void MarqueeLabel::setMarqueeType(int type) {
    if (type == marqueeType_) return;
    marqueeType_ = type;
    if (effectiveMarqueeType(type) != MarqueeType::Continuous) removeExtraCopies();
    updateSublabelAndLocations();
}

void MarqueeLabel::setRate(double rate) {
    if (rate == rate_) return;
    rate_ = rate;
    lengthOfScroll_ = 0;
    updateSublabelAndLocations();
}

void MarqueeLabel::setLengthOfScroll(double seconds) {
    if (seconds == lengthOfScroll_) return;
    lengthOfScroll_ = seconds;
    rate_ = 0;
    updateSublabelAndLocations();
}

void MarqueeLabel::setAnimationCurve(int option) {
    if (auto curve = animationCurveFromOption(option)) curve_ = *curve;
}

void MarqueeLabel::setFadeLength(double fadeLength) {
    fadeLength = std::max(0.0, fadeLength);  // a negative fade would turn the frames inside out
    if (fadeLength == fadeLength_) return;
    fadeLength_ = fadeLength;
    applyGradientMask();
    updateSublabelAndLocations();
}

void MarqueeLabel::setContinuousMarqueeExtraBuffer(double buffer) {
    buffer = std::abs(buffer);
    if (buffer == extraBuffer_) return;
    extraBuffer_ = buffer;
    updateSublabelAndLocations();
}

void MarqueeLabel::setGradientColors(const FadeColors& colors) {
    gradientColors_ = colors;
    applyGradientMask();
}

void MarqueeLabel::setLabelize(bool labelize) {
    if (labelize == labelize_) return;
    if (labelize) returnLabelToOriginImmediately();
    labelize_ = labelize;
    updateSublabelAndLocations();
}

void MarqueeLabel::setHoldScrolling(bool hold) {
    holdScrolling_ = hold;
    if (!hold && !awayFromHome_) beginScroll();
}

void MarqueeLabel::setTapToScroll(bool tapToScroll) {
    tapToScroll_ = tapToScroll;
    tapPressed_ = false;
    setAttribute(Qt::WA_TransparentForMouseEvents, !tapToScroll);
}

QRectF MarqueeLabel::homeLabelFrame() const {
    return frames_ ? frames_->home : defaultFrames(metrics()).home;
}

QRectF MarqueeLabel::awayLabelFrame() const {
    return frames_ ? frames_->away : defaultFrames(metrics()).away;
}

QSize MarqueeLabel::sizeThatFits(const QSize&) const {
    const QSize text = intrinsicContentSize();
    return QSize(text.width() + static_cast<int>(std::ceil(2 * fadeLength_)), text.height());
}

QSize MarqueeLabel::intrinsicContentSize() const {
    const double width = text_.isEmpty() ? 0 : std::ceil(measureTextWidth(text_));
    return QSize(static_cast<int>(width),
                 static_cast<int>(std::ceil(QFontMetricsF(font()).height())));
}

void MarqueeLabel::minimizeLabelFrameWithMaximumSize(const QSize& maxSize, bool adjustHeight) {
    if (text_.isEmpty()) return;
    // A zero (or unset) maximum means no limit.
    const bool unlimited = maxSize.isNull() || !maxSize.isValid();
    const QSize limit = unlimited ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : maxSize;
    const QSize fits = sizeThatFits(QSize());
    const int height = adjustHeight ? std::min(fits.height(), limit.height()) : this->height();
    setGeometry(x(), y(), std::min(fits.width(), limit.width()), height);
}

QWidget* MarqueeLabel::firstAvailableViewController() const {
    return widgets::firstAvailableViewController(this);
}

double MarqueeLabel::measureTextWidth(const QString& text) const {
    return QFontMetricsF(font()).horizontalAdvance(text);
}

MarqueeMetrics MarqueeLabel::metrics() const {
    return {effectiveMarqueeType(marqueeType_),
            static_cast<double>(width()),
            static_cast<double>(height()),
            fadeLength_,
            extraBuffer_,
            textWidth_};
}

// In stacking order: the main copy first.
std::vector<MarqueeCopy*> MarqueeLabel::copies() const {
    std::vector<MarqueeCopy*> result;
    for (QObject* child : children()) {
        auto* copy = qobject_cast<MarqueeCopy*>(child);
        if (copy && tk::tagOf(copy) >= kMainCopyTag) result.push_back(copy);
    }
    return result;
}

MarqueeCopy* MarqueeLabel::makeCopy(int tag) {
    auto* copy = new MarqueeCopy(this);
    tk::setTag(copy, tag);
    copy->setText(text_);
    styleCopy(copy);
    copy->show();
    return copy;
}

void MarqueeLabel::styleCopy(MarqueeCopy* copy) const {
    copy->setBackgroundFill(backgroundColor_);
    // Like a plain label, no shadow is drawn until it has a colour.
    copy->setShadow(shadowColor_.isValid() ? shadowColor_ : QColor(Qt::transparent), shadowOffset_);
    copy->setFadeMask(fadeMaskGradient(fadeLength_, size(), gradientColors_));
}

void MarqueeLabel::applyGradientMask() {
    const auto mask = fadeMaskGradient(fadeLength_, size(), gradientColors_);
    for (MarqueeCopy* copy : copies()) copy->setFadeMask(mask);
}

void MarqueeLabel::removeExtraCopies() {
    for (MarqueeCopy* copy : copies()) {
        if (copy != subLabel_) delete copy;
    }
}

}  // namespace widgets
