#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include "base/Clock.h"
#include "base/NotificationCenter.h"
#include "widgets/FadeMask.h"
#include "widgets/MarqueeCopy.h"
#include "widgets/MarqueeCurve.h"
#include "widgets/MarqueeGeometry.h"
#include "widgets/MarqueeMotion.h"

namespace widgets {

// Notifications a screen posts to its marquee labels, and the navigation notification they
// follow. Their user info is a ControllerInfo.
inline constexpr const char* kMarqueeRestartNotification = "MarqueeLabelViewControllerRestart";
inline constexpr const char* kMarqueeLabelizeNotification =
    "MarqueeLabelShouldLabelizeNotification";
inline constexpr const char* kMarqueeAnimateNotification = "MarqueeLabelShouldAnimateNotification";
inline constexpr const char* kNavigationDidShowNotification =
    "UINavigationControllerDidShowViewControllerNotification";
inline constexpr const char* kControllerKey = "controller";
inline constexpr const char* kLastVisibleControllerKey =
    "UINavigationControllerLastVisibleViewController";
inline constexpr const char* kNextVisibleControllerKey =
    "UINavigationControllerNextVisibleViewController";
using ControllerInfo = std::map<std::string, QWidget*>;

// How fast the text moves: a speed in points per second, or a fixed time per scroll.
struct ScrollSpeed {
    static ScrollSpeed pointsPerSecond(double rate) { return {rate, 0}; }
    static ScrollSpeed secondsPerScroll(double seconds) { return {0, seconds}; }
    double rate = 0;
    double lengthOfScroll = 0;
};

// A one-line label that scrolls its text sideways when it is wider than the label and shows
// it still otherwise. It draws nothing itself: it moves one or two child labels (its copies,
// tags 700 and 701) inside its clipped area, each faded out at the label's edges. Movements run on
// the injected clock and only while the label is shown; a still label schedules nothing. Main
// thread only.
class MarqueeLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMainCopyTag = 700;
    static constexpr int kSecondCopyTag = 701;

    // 7.0 seconds per scroll and no fade.
    MarqueeLabel(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                 QWidget* parent = nullptr);
    // The fade is limited to half the frame's width.
    MarqueeLabel(base::Clock& clock, base::NotificationCenter& center, const QRect& frame,
                 ScrollSpeed speed, double fadeLength, QWidget* parent = nullptr);
    ~MarqueeLabel() override;

    // Text and look, forwarded to the copies (font and text colour reach them through Qt's
    // propagation of the label's font and palette).
    QString text() const { return text_; }
    void setText(const QString& text);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    void setTextColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& color);
    QPointF shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(const QPointF& offset);

    // Scroll settings.
    int marqueeType() const { return marqueeType_; }
    void setMarqueeType(int type);
    double rate() const { return rate_; }
    void setRate(double rate);
    double lengthOfScroll() const { return lengthOfScroll_; }
    void setLengthOfScroll(double seconds);
    int animationCurve() const { return static_cast<int>(curve_); }
    void setAnimationCurve(int option);  // other values than the four curves are ignored
    double fadeLength() const { return fadeLength_; }
    void setFadeLength(double fadeLength);
    double animationDelay() const { return animationDelay_; }
    void setAnimationDelay(double seconds) { animationDelay_ = seconds; }
    double continuousMarqueeExtraBuffer() const { return extraBuffer_; }
    void setContinuousMarqueeExtraBuffer(double buffer);
    const FadeColors& gradientColors() const { return gradientColors_; }
    void setGradientColors(const FadeColors& colors);
    bool labelize() const { return labelize_; }
    void setLabelize(bool labelize);
    bool holdScrolling() const { return holdScrolling_; }
    void setHoldScrolling(bool hold);
    bool tapToScroll() const { return tapToScroll_; }
    void setTapToScroll(bool tapToScroll);

    // State.
    bool isPaused() const { return isPaused_; }
    bool awayFromHome() const { return awayFromHome_; }
    bool orientationWillChange() const { return orientationWillChange_; }
    double animationDuration() const { return animationDuration_; }
    double textWidth() const { return textWidth_; }
    QRectF homeLabelFrame() const;
    QRectF awayLabelFrame() const;
    MarqueeCopy* subLabel() const { return subLabel_; }

    // Control.
    void restartLabel();
    void resetLabel();
    void shutdownLabel();
    void pauseLabel();
    void unpauseLabel();
    void beginScroll() { beginScrollWithDelay(true); }
    void beginScrollWithDelay(bool delay);
    bool labelShouldScroll() const;
    void updateSublabelAndLocations() { updateSublabelAndLocationsAndBeginScroll(true); }
    void updateSublabelAndLocationsAndBeginScroll(bool begin);

    // Sizing.
    QSize sizeThatFits(const QSize& size) const;
    QSize intrinsicContentSize() const;
    QSize sizeHint() const override { return intrinsicContentSize(); }
    void minimizeLabelFrameWithMaximumSize(const QSize& maxSize, bool adjustHeight);

    QWidget* firstAvailableViewController() const;

    // What a screen tells the labels inside it; nothing is posted without a controller.
    static void restartLabelsOfController(base::NotificationCenter& center, QWidget* controller);
    static void controllerViewWillAppear(base::NotificationCenter& center, QWidget* controller);
    static void controllerViewDidAppear(base::NotificationCenter& center, QWidget* controller);
    static void controllerViewAppearing(base::NotificationCenter& center, QWidget* controller);
    static void controllerLabelsShouldLabelize(base::NotificationCenter& center,
                                               QWidget* controller);
    static void controllerLabelsShouldAnimate(base::NotificationCenter& center,
                                              QWidget* controller);

protected:
    // Width of the text on one unlimited line in the label's font.
    virtual double measureTextWidth(const QString& text) const;

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUp(const QRect& frame, ScrollSpeed speed, double fadeLength);
    void observeEvents();
    void observe(const char* name, std::function<void(const base::Notification&)> handler);
    void observeController(const char* name, void (MarqueeLabel::*reaction)());
    void onNavigation(const base::Notification& notification);
    void onApplicationStateChanged(Qt::ApplicationState state);
    void onOrientationChanged();
    void labelWasTapped();
    void labelizeOn() { setLabelize(true); }
    void labelizeOff() { setLabelize(false); }

    MarqueeMetrics metrics() const;
    std::vector<MarqueeCopy*> copies() const;
    MarqueeCopy* makeCopy(int tag);
    void styleCopy(MarqueeCopy* copy) const;
    void removeExtraCopies();
    void returnLabelToOriginImmediately();
    void applyGradientMask();
    bool canStartMovement() const;
    void scrollAway(double interval, double delay);
    void scrollHome(double interval, double delay);
    void scrollContinuous(double interval, double delay);

    base::Clock& clock_;
    base::NotificationCenter& center_;
    MarqueeMotion motion_;
    std::vector<base::ObserverRegistration> observations_;
    std::optional<base::Clock::TimerId> rotationEnd_;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QColor backgroundColor_ = Qt::transparent;
    QColor shadowColor_;
    QPointF shadowOffset_{0, -1};

    int marqueeType_ = 0;
    double rate_ = 0;
    double lengthOfScroll_ = 0;
    AnimationCurve curve_ = AnimationCurve::EaseInOut;
    double fadeLength_ = 0;
    double animationDelay_ = 1.0;
    double extraBuffer_ = 0;
    FadeColors gradientColors_ = defaultFadeColors();
    bool labelize_ = false;
    bool holdScrolling_ = false;
    bool tapToScroll_ = false;

    bool isPaused_ = false;
    bool awayFromHome_ = false;
    bool orientationWillChange_ = false;
    bool tapPressed_ = false;
    double animationDuration_ = 0;
    double textWidth_ = 0;
    std::optional<MarqueeFrames> frames_;  // nullopt after a reset
    MarqueeCopy* subLabel_ = nullptr;      // owned by Qt as a child
};

}  // namespace widgets
