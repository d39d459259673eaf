#include "main/toolkit/Animator.h"

#include <algorithm>
#include <cmath>

#include "main/toolkit/ViewAttributes.h"

namespace tk {

namespace {
// Slack for sums of floating-point step times that should meet an end time exactly.
constexpr double kEpsilon = 1e-9;

double eased(AnimationCurve curve, double t) {
    switch (curve) {
        case AnimationCurve::Linear:
            return t;
        case AnimationCurve::EaseIn:
            return t * t;
        case AnimationCurve::EaseOut:
            return 1 - (1 - t) * (1 - t);
        case AnimationCurve::EaseInOut:
            break;
    }
    return t * t * (3 - 2 * t);
}

int between(int from, int to, double p) {
    return static_cast<int>(std::lround(from + (to - from) * p));
}

double sanitised(double seconds) {
    return std::isfinite(seconds) && seconds > 0 ? seconds : 0;
}
}  // namespace

struct Animator::Group {
    Completion completion;
    int remaining = 0;
    bool interrupted = false;
};

Animator::Animator(base::Clock& clock) : clock_(clock) {}

Animator::~Animator() {
    if (stepTimer_) clock_.cancel(*stepTimer_);
}

void Animator::beginAnimations() {
    if (depth_++ > 0) return;
    duration_ = 0.2;
    delay_ = 0;
    curve_ = AnimationCurve::EaseInOut;
    completion_ = nullptr;
    changes_.clear();
}

void Animator::setAnimationDuration(double seconds) {
    if (isInBlock()) duration_ = sanitised(seconds);
}

void Animator::setAnimationDelay(double seconds) {
    if (isInBlock()) delay_ = sanitised(seconds);
}

void Animator::setAnimationCurve(AnimationCurve curve) {
    if (isInBlock()) curve_ = curve;
}

void Animator::setAnimationCompletion(Completion completion) {
    if (isInBlock()) completion_ = std::move(completion);
}

void Animator::setFrame(QWidget* view, const QRect& frame) {
    if (!view) return;
    if (!isInBlock()) {
        dropRunning(view, true, false);
        view->setGeometry(frame);
        return;
    }
    changes_.push_back({view, frame, std::nullopt});
}

void Animator::setAlpha(QWidget* view, double alpha) {
    if (!view) return;
    if (!isInBlock()) {
        dropRunning(view, false, true);
        tk::setAlpha(view, alpha);
        return;
    }
    changes_.push_back({view, std::nullopt, std::clamp(std::isnan(alpha) ? 1.0 : alpha, 0.0, 1.0)});
}

void Animator::commitAnimations() {
    if (depth_ == 0 || --depth_ > 0) return;
    auto group = std::make_shared<Group>();
    group->completion = std::move(completion_);
    const double start = clock_.now() + delay_;
    const auto changes = std::move(changes_);
    changes_.clear();
    for (const auto& change : changes) {
        if (!change.view) continue;
        Running running;
        running.view = change.view;
        running.start = start;
        running.duration = duration_;
        running.curve = curve_;
        running.group = group;
        if (change.frame) {
            running.fromFrame = change.view->geometry();
            running.toFrame = change.frame;
        }
        if (change.alpha) {
            running.fromAlpha = alphaOf(change.view);
            running.toAlpha = change.alpha;
        }
        startRunning(std::move(running));
    }
    if (group->remaining == 0 && group->completion) {
        // Nothing to move: the completion still comes, from the loop like the others.
        clock_.callAfter(delay_ + duration_, [group] { group->completion(true); });
    }
    // Changes with nothing to wait for take effect now rather than a step later.
    step();
}

void Animator::startRunning(Running running) {
    dropRunning(running.view, running.toFrame.has_value(), running.toAlpha.has_value());
    ++running.group->remaining;
    running_.push_back(std::move(running));
}

void Animator::dropRunning(const QWidget* view, bool frame, bool alpha) {
    std::vector<std::shared_ptr<Group>> completed;
    for (auto it = running_.begin(); it != running_.end();) {
        const bool touched = it->view == view && ((frame && it->toFrame) || (alpha && it->toAlpha));
        if (!touched) {
            ++it;
            continue;
        }
        if (frame) it->toFrame.reset();
        if (alpha) it->toAlpha.reset();
        if (it->toFrame || it->toAlpha) {
            it->group->interrupted = true;
            ++it;
            continue;
        }
        auto group = it->group;
        it = running_.erase(it);
        endOf(group, false, completed);
    }
    runCompletions(completed);
}

void Animator::removeAnimations(QWidget* view) {
    dropRunning(view, true, true);
}

bool Animator::isAnimating(const QWidget* view) const {
    return std::any_of(running_.begin(), running_.end(),
                       [view](const Running& r) { return r.view == view; });
}

QRect Animator::finalFrame(const QWidget* view) const {
    if (!view) return {};
    for (const auto& running : running_) {
        if (running.view == view && running.toFrame) return *running.toFrame;
    }
    return view->geometry();
}

double Animator::finalAlpha(const QWidget* view) const {
    for (const auto& running : running_) {
        if (running.view == view && running.toAlpha) return *running.toAlpha;
    }
    return alphaOf(view);
}

void Animator::apply(Running& running, double progress) {
    const double p = eased(running.curve, progress);
    if (running.toFrame) {
        const QRect& a = *running.fromFrame;
        const QRect& b = *running.toFrame;
        running.view->setGeometry(progress >= 1
                                      ? b
                                      : QRect(between(a.x(), b.x(), p), between(a.y(), b.y(), p),
                                              between(a.width(), b.width(), p),
                                              between(a.height(), b.height(), p)));
    }
    if (running.toAlpha) {
        const double alpha = progress >= 1
                                 ? *running.toAlpha
                                 : *running.fromAlpha + (*running.toAlpha - *running.fromAlpha) * p;
        tk::setAlpha(running.view, alpha);
    }
}

void Animator::step() {
    if (stepTimer_) clock_.cancel(*stepTimer_);
    stepTimer_.reset();
    const double now = clock_.now();
    std::vector<std::shared_ptr<Group>> completed;
    for (auto it = running_.begin(); it != running_.end();) {
        if (!it->view) {
            auto group = it->group;
            it = running_.erase(it);
            endOf(group, false, completed);
            continue;
        }
        if (now + kEpsilon < it->start) {
            ++it;
            continue;
        }
        const double end = it->start + it->duration;
        const double progress =
            now + kEpsilon >= end ? 1.0 : std::clamp((now - it->start) / it->duration, 0.0, 1.0);
        apply(*it, progress);
        if (progress < 1) {
            ++it;
            continue;
        }
        auto group = it->group;
        it = running_.erase(it);
        endOf(group, true, completed);
    }
    scheduleStep();
    runCompletions(completed);
}

void Animator::scheduleStep() {
    if (running_.empty() || stepTimer_) return;
    const double now = clock_.now();
    double delay = kStepInterval;
    for (const auto& running : running_) {
        for (double boundary : {running.start, running.start + running.duration}) {
            if (boundary > now + kEpsilon) delay = std::min(delay, boundary - now);
        }
    }
    stepTimer_ = clock_.callAfter(delay, [this] {
        stepTimer_.reset();
        step();
    });
}

void Animator::endOf(const std::shared_ptr<Group>& group, bool finished,
                     std::vector<std::shared_ptr<Group>>& completed) {
    if (!finished) group->interrupted = true;
    if (--group->remaining == 0) completed.push_back(group);
}

void Animator::runCompletions(const std::vector<std::shared_ptr<Group>>& completed) {
    for (const auto& group : completed) {
        if (group->completion) group->completion(!group->interrupted);
    }
}

}  // namespace tk
