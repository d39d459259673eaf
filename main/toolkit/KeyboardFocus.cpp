#include "main/toolkit/KeyboardFocus.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <algorithm>
#include <tuple>

#include "main/toolkit/AlertView.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/ViewAttributes.h"

namespace tk {

namespace {

constexpr const char* kObjectName = "keyboard-focus";
constexpr const char* kRingName = "focus-ring";

bool usable(const QWidget* control) {
    if (const auto row = listRowOf(control)) return takesTouches(row->list) && isShowing(control);
    return takesTouches(control) && isShowing(control);
}

// The segment a bar's stop stands on: the one of its grade, else the first.
QWidget* stopOfBar(const QWidget* bar) {
    const auto segments = segmentsOf(bar);
    if (segments.empty()) return nullptr;
    const int grade = gradeOf(qobject_cast<const ImageView*>(bar));
    return grade >= 1 && grade <= int(segments.size()) ? segments[grade - 1] : segments.front();
}

void collect(const QWidget* view, const KeyboardFocus::Rank& rank, std::vector<QWidget*>& chain) {
    std::vector<QWidget*> children;
    for (QObject* child : view->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !widget->isHidden() &&
            widget->objectName() != kRingName) {
            children.push_back(widget);
        }
    }
    std::stable_sort(children.begin(), children.end(), [&rank](QWidget* a, QWidget* b) {
        const auto key = [&rank](QWidget* w) {
            return std::tuple(rank ? rank(*w) : 0, w->y(), w->x());
        };
        return key(a) < key(b);
    });
    for (QWidget* child : children) {
        if (isBar(child)) {
            QWidget* stop = stopOfBar(child);
            if (usable(stop)) chain.push_back(stop);
        } else if (qobject_cast<ImageButton*>(child) || qobject_cast<ListCell*>(child)) {
            if (usable(child)) chain.push_back(child);
        } else {
            collect(child, rank, chain);
        }
    }
}

bool isPress(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

// Drawn over everything, in the blue of the screens' titles, around the focused control.
class KeyboardFocus::Ring : public QWidget {
public:
    static constexpr int kWidth = 3;
    explicit Ring(QWidget* window) : QWidget(window) {
        setObjectName(kRingName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 122, 255), kWidth));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    }
};

KeyboardFocus::KeyboardFocus(QWidget& window)
    : QObject(&window), window_(window), ring_(new Ring(&window)) {
    setObjectName(kObjectName);
    qApp->installEventFilter(this);
}

KeyboardFocus::~KeyboardFocus() {
    qApp->removeEventFilter(this);
}

KeyboardFocus* KeyboardFocus::of(const QWidget* widget) {
    const QWidget* window = widget ? widget->window() : nullptr;
    return window ? window->findChild<KeyboardFocus*>(kObjectName, Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void KeyboardFocus::addShortcut(int key, std::function<QWidget*()> control) {
    shortcuts_[key] = std::move(control);
}

std::vector<QWidget*> KeyboardFocus::chain() const {
    std::vector<QWidget*> chain;
    // An alert shuts out the screen behind it.
    if (AlertView* alert = AlertView::visibleAlert(&window_)) {
        collect(alert, rank_, chain);
    } else {
        collect(&window_, rank_, chain);
    }
    return chain;
}

void KeyboardFocus::focus(QWidget* control) {
    if (control == current_) return;
    letGo(true);
    current_ = control;
    if (control) {
        if (const auto row = listRowOf(control)) {
            if (auto* scroll = row->list->findChild<QScrollArea*>())
                scroll->ensureWidgetVisible(control, 0, 0);
        }
        QAccessibleEvent event(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
    refreshRing();
}

void KeyboardFocus::moveFocus(bool forward) {
    const auto controls = chain();
    if (controls.empty()) return focus(nullptr);
    QWidget* here = current_;
    // Inside a bar, the stop is the bar: leave it from whichever segment is focused.
    if (ImageView* bar = barOf(here)) here = stopOfBar(bar);
    const auto at = std::find(controls.begin(), controls.end(), here);
    const int count = int(controls.size());
    int next = forward ? 0 : count - 1;
    if (at != controls.end())
        next = (int(at - controls.begin()) + (forward ? 1 : -1) + count) % count;
    focus(controls[next]);
}

void KeyboardFocus::press(QWidget* control, int key) {
    if (held_ || !usable(control)) return;
    if (const auto row = listRowOf(control)) return row->list->selectRow(row->row);
    auto* button = qobject_cast<ImageButton*>(control);
    if (!button) return;
    held_ = button;
    heldKey_ = key;
    button->touchDown();
    if (held_ && !held_->isPressed()) held_ = nullptr;
}

void KeyboardFocus::letGo(bool cancelled) {
    QPointer<ImageButton> button = held_;
    held_ = nullptr;
    heldKey_ = 0;
    if (!button) return;
    if (cancelled) {
        button->cancelTouch();
    } else {
        button->touchUp(true);
    }
}

void KeyboardFocus::alongBar(int step) {
    if (ImageView* bar = barOf(current_)) {
        const auto segments = segmentsOf(bar);
        const auto at = std::find(segments.begin(), segments.end(), current_.data());
        const int next = std::clamp(int(at - segments.begin()) + step, 0, int(segments.size()) - 1);
        return focus(segments[next]);
    }
    if (const auto row = listRowOf(current_)) {
        const int next = std::clamp(row->row + step, 0, row->list->numberOfRows() - 1);
        if (ListCell* cell = row->list->cellForRow(next)) focus(cell);
    }
}

bool KeyboardFocus::keyPressed(int key, bool autoRepeat) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            moveFocus(key == Qt::Key_Tab);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Up:
            alongBar(-1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            alongBar(1);
            return true;
        case Qt::Key_Escape:
            if (!autoRepeat && goBack_) {
                letGo(true);
                goBack_();
            }
            return true;
        default:
            break;
    }
    // A held key repeats by itself: only its first press counts.
    if (isPress(key)) {
        if (!autoRepeat && current_) press(current_, key);
        return true;
    }
    const auto shortcut = shortcuts_.find(key);
    if (shortcut == shortcuts_.end()) return false;
    if (!autoRepeat) press(shortcut->second(), key);
    return true;
}

bool KeyboardFocus::keyReleased(int key, bool autoRepeat) {
    if (!isPress(key) && !shortcuts_.count(key)) return false;
    if (!autoRepeat && key == heldKey_) letGo(false);
    return true;
}

void KeyboardFocus::refreshRing() {
    if (!current_ || !isShowing(current_)) {
        ring_->hide();
        return;
    }
    const QRect frame(current_->mapTo(&window_, QPoint(0, 0)), current_->size());
    const int margin = Ring::kWidth;
    ring_->setGeometry(frame.adjusted(-margin, -margin, margin, margin) & window_.rect());
    ring_->show();
    ring_->raise();
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget || widget->window() != &window_) return false;
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            return event->type() == QEvent::KeyPress ? keyPressed(key->key(), key->isAutoRepeat())
                                                     : keyReleased(key->key(), key->isAutoRepeat());
        }
        case QEvent::WindowDeactivate:
            if (watched == &window_) letGo(true);
            return false;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (current_ && widget && widget != ring_ &&
                (widget == current_ || widget->isAncestorOf(current_))) {
                refreshRing();
            }
            return false;
        }
        default:
            return false;
    }
}

}  // namespace tk
