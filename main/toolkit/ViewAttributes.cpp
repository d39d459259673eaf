#include "main/toolkit/ViewAttributes.h"

#include <QGraphicsOpacityEffect>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tk {

namespace {
constexpr const char* kInteractionOff = "tkInteractionOff";
constexpr const char* kAlpha = "tkAlpha";
constexpr double kTouchableAlpha = 0.01;

void updateTouchability(QWidget* view) {
    const bool shut = view->property(kInteractionOff).toBool() || alphaOf(view) < kTouchableAlpha;
    view->setAttribute(Qt::WA_TransparentForMouseEvents, shut);
}
}  // namespace

void setUserInteractionEnabled(QWidget* view, bool enabled) {
    if (!view) return;
    view->setProperty(kInteractionOff, !enabled);
    updateTouchability(view);
}

bool isUserInteractionEnabled(const QWidget* view) {
    return view && !view->property(kInteractionOff).toBool();
}

void setAlpha(QWidget* view, double alpha) {
    if (!view) return;
    if (std::isnan(alpha)) alpha = 1.0;
    alpha = std::clamp(alpha, 0.0, 1.0);
    view->setProperty(kAlpha, alpha);
    if (alpha >= 1.0) {
        // Fully opaque views draw without the effect's extra off-screen pass.
        if (qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect())) {
            view->setGraphicsEffect(nullptr);
        }
    } else {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(view->graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect(view);
            view->setGraphicsEffect(effect);
        }
        effect->setOpacity(alpha);
    }
    updateTouchability(view);
}

double alphaOf(const QWidget* view) {
    if (!view) return 0.0;
    const QVariant alpha = view->property(kAlpha);
    return alpha.isValid() ? alpha.toDouble() : 1.0;
}

bool takesTouches(const QWidget* view) {
    if (!view || !view->isEnabled()) return false;
    for (const QWidget* v = view; v; v = v->parentWidget()) {
        if (v->isHidden() || v->testAttribute(Qt::WA_TransparentForMouseEvents)) return false;
        if (v->isWindow()) break;
    }
    return true;
}

QWidget* touchTarget(QWidget* root, QPoint point) {
    if (!root || !root->rect().contains(point) || root->isHidden() ||
        root->testAttribute(Qt::WA_TransparentForMouseEvents)) {
        return nullptr;
    }
    QWidget* child = root->childAt(point);
    return child ? child : root;
}

}  // namespace tk
