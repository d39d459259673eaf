#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/Clock.h"

namespace tk {

// Timing curves, numbered as the screens' animation options are.
enum class AnimationCurve { EaseInOut = 0, EaseIn = 0x10000, EaseOut = 0x20000, Linear = 0x30000 };

// Animation blocks: frame and alpha changes made between beginAnimations() and
// commitAnimations() move from their current values to the new ones over the block's
// duration, stepped on the clock; outside a block they apply at once. The last step lands
// exactly at the end, so after advancing a manual clock by the duration every view stands
// at its final frame and alpha. Main thread only.
class Animator {
public:
    using Completion = std::function<void(bool finished)>;
    static constexpr double kStepInterval = 1.0 / 60.0;

    explicit Animator(base::Clock& clock);
    ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    // Blocks nest; the settings and changes of inner blocks belong to the outermost one.
    void beginAnimations();
    void setAnimationDuration(double seconds);
    void setAnimationDelay(double seconds);
    void setAnimationCurve(AnimationCurve curve);
    // Runs once every change of the block has ended; `finished` is false when one was
    // removed or replaced before its end.
    void setAnimationCompletion(Completion completion);
    void commitAnimations();
    bool isInBlock() const { return depth_ > 0; }

    void setFrame(QWidget* view, const QRect& frame);
    void setAlpha(QWidget* view, double alpha);

    // Stops the view's animations where they stand.
    void removeAnimations(QWidget* view);
    bool isAnimating(const QWidget* view) const;
    // Where the view ends up once its animations are over.
    QRect finalFrame(const QWidget* view) const;
    double finalAlpha(const QWidget* view) const;

private:
    struct Group;
    struct Change {
        QPointer<QWidget> view;
        std::optional<QRect> frame;
        std::optional<double> alpha;
    };
    struct Running {
        QPointer<QWidget> view;
        std::optional<QRect> fromFrame, toFrame;
        std::optional<double> fromAlpha, toAlpha;
        double start = 0;
        double duration = 0;
        AnimationCurve curve = AnimationCurve::EaseInOut;
        std::shared_ptr<Group> group;
    };

    void startRunning(Running running);
    void dropRunning(const QWidget* view, bool frame, bool alpha);
    void apply(Running& running, double progress);
    void scheduleStep();
    // Main thread, from the clock.
    void step();
    void endOf(const std::shared_ptr<Group>& group, bool finished,
               std::vector<std::shared_ptr<Group>>& completed);
    void runCompletions(const std::vector<std::shared_ptr<Group>>& completed);

    base::Clock& clock_;
    int depth_ = 0;
    double duration_ = 0.2;
    double delay_ = 0;
    AnimationCurve curve_ = AnimationCurve::EaseInOut;
    Completion completion_;
    std::vector<Change> changes_;
    std::vector<Running> running_;
    std::optional<base::Clock::TimerId> stepTimer_;
};

}  // namespace tk
