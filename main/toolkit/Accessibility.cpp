#include "main/toolkit/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <vector>

#include "base/Clock.h"
#include "main/toolkit/AccessibleViews.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/KeyboardFocus.h"
#include "main/toolkit/Label.h"

namespace tk {

namespace {

constexpr const char* kObjectName = "accessible-names";

// The selected looks of the service panel's selectors, which have no "_off" look.
const QStringList kSelectedLooks = {"service2", "service4", "service6"};

template <typename T>
std::vector<const T*> siblingsOf(const QWidget& widget) {
    std::vector<const T*> found;
    if (const QWidget* parent = widget.parentWidget()) {
        for (const QObject* child : parent->children()) {
            const auto* sibling = qobject_cast<const T*>(child);
            if (sibling && !sibling->isHidden()) found.push_back(sibling);
        }
    }
    return found;
}

bool hasText(const Label* label) {
    return !label->text().trimmed().isEmpty();
}

// A caption belongs to the button it sits under or on: it starts no lower than half the
// button's height below it and is centred in the button's column, or it spans the button
// (one caption under a row of buttons).
const Label* captionUnder(const QWidget& button) {
    const QRect frame = button.geometry();
    const QRect reach = frame.adjusted(0, 0, 0, frame.height() / 2 + 4);
    const Label* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (const Label* label : siblingsOf<Label>(button)) {
        const QRect caption = label->geometry();
        if (!hasText(label) || !reach.intersects(caption)) continue;
        const bool centred = std::abs(caption.center().x() - frame.center().x()) <= frame.width();
        const bool spans =
            caption.left() <= frame.center().x() && caption.right() >= frame.center().x();
        if (!centred && !spans) continue;
        const int distance = std::abs(caption.center().y() - frame.bottom());
        if (distance < bestDistance) {
            best = label;
            bestDistance = distance;
        }
    }
    return best;
}

// A bar's caption: on its row to its left ("Pace" before its bar), or else just above its
// start. A caption beside the bar wins over one above it, which may be the caption of a
// button in the row above (on narrow phones "Knead" ends just over the speed bar, left of it).
const Label* captionOfBar(const QWidget& bar) {
    const QRect frame = bar.geometry();
    const Label* best[2] = {nullptr, nullptr};  // beside, above
    int bestDistance[2] = {std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    for (const Label* label : siblingsOf<Label>(bar)) {
        const QRect caption = label->geometry();
        if (!hasText(label)) continue;
        const bool beside = caption.center().x() < frame.left() &&
                            caption.center().y() >= frame.top() &&
                            caption.center().y() <= frame.bottom();
        const bool above = caption.bottom() <= frame.top() + 5 &&
                           frame.top() - caption.bottom() <= frame.height() &&
                           caption.left() < frame.center().x() && caption.right() > frame.left();
        if (!beside && !above) continue;
        const int kind = beside ? 0 : 1;
        const int distance = (caption.center() - frame.topLeft()).manhattanLength();
        if (distance < bestDistance[kind]) {
            best[kind] = label;
            bestDistance[kind] = distance;
        }
    }
    return best[0] ? best[0] : best[1];
}

// "Memory programmes 2": a caption shared by a row of buttons, or a bar's caption for one of
// its segments, is told apart by the button's place from the left.
QString numbered(const QString& caption, const QWidget& button,
                 const std::function<bool(const ImageButton&)>& shares) {
    std::vector<int> lefts;
    for (const ImageButton* sibling : siblingsOf<ImageButton>(button)) {
        if (shares(*sibling)) lefts.push_back(sibling->geometry().left());
    }
    if (lefts.size() < 2) return caption;
    const long place = std::count_if(lefts.begin(), lefts.end(),
                                     [&](int left) { return left < button.geometry().left(); });
    return QString("%1 %2").arg(caption.simplified()).arg(place + 1);
}

QString captionName(const ImageButton& button) {
    if (const Label* caption = captionUnder(button)) {
        return numbered(caption->text(), button,
                        [&](const ImageButton& other) { return captionUnder(other) == caption; });
    }
    // A segment of a bar: no picture of its own, inside the bar's picture.
    const QWidget* bar = button.parentWidget();
    if (button.backgroundImage().name().isEmpty() && bar && qobject_cast<const ImageView*>(bar)) {
        if (const Label* caption = captionOfBar(*bar)) {
            return numbered(caption->text(), button, [](const ImageButton& other) {
                return other.backgroundImage().name().isEmpty();
            });
        }
    }
    return QString();
}

class ButtonInterface final : public QAccessibleWidget {
public:
    explicit ButtonInterface(ImageButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        const auto* names = AccessibleNames::of(widget());
        return names ? names->nameOf(*button()) : button()->title();
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* names = AccessibleNames::of(widget());
        const QString& picture = button()->backgroundImage().name();
        if (names && (names->isLit(picture) || names->isToggle(picture))) {
            state.checkable = true;
            state.checked = names->isLit(picture);
        }
        const auto* keyboard = KeyboardFocus::of(widget());
        state.focusable = true;
        state.focused = keyboard && keyboard->current() == widget();
        if (!isShowing(widget())) state.invisible = true;
        return state;
    }
    // A caption on the button is its name, not a node of its own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action != pressAction() || !button()->isEnabled()) return;
        if (auto* names = AccessibleNames::of(widget())) return names->tap(*button());
        button()->touchDown();
        button()->touchUp(true);
    }

private:
    ImageButton* button() const { return static_cast<ImageButton*>(widget()); }
};

class LabelInterface final : public QAccessibleWidget {
public:
    explicit LabelInterface(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        return static_cast<const Label*>(widget())->text().simplified();
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (!isShowing(widget())) state.invisible = true;
        return state;
    }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (QAccessibleInterface* view = makeViewInterface(object)) return view;
    if (auto* button = qobject_cast<ImageButton*>(object)) return new ButtonInterface(button);
    if (auto* label = qobject_cast<Label*>(object)) return new LabelInterface(label);
    return nullptr;
}

}  // namespace

AccessibleNames::AccessibleNames(QWidget& window, const QStringList& pictures,
                                 QHash<QString, QString> keysByStem, Text text)
    : QObject(&window), keysByStem_(std::move(keysByStem)), text_(std::move(text)) {
    setObjectName(kObjectName);
    static const QRegularExpression look("^(.+)_(on\\d*|\\d+)$");
    const QSet<QString> all(pictures.begin(), pictures.end());
    for (const QString& picture : pictures) {
        const auto match = look.match(picture);
        if (match.hasMatch() && all.contains(match.captured(1) + "_off")) {
            lit_.insert(picture);
            toggles_.insert(match.captured(1));
        }
    }
    for (const QString& selected : kSelectedLooks) lit_.insert(selected);
}

void AccessibleNames::install() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

AccessibleNames* AccessibleNames::of(const QWidget* widget) {
    const QWidget* window = widget ? widget->window() : nullptr;
    return window ? window->findChild<AccessibleNames*>(kObjectName, Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QString AccessibleNames::stemOf(const QString& picture) {
    static const QRegularExpression look("_(on|off)\\d*$|_\\d+$");
    return QString(picture).remove(look);
}

QString AccessibleNames::nameOf(const ImageButton& button) const {
    if (!button.accessibleName().isEmpty()) return button.accessibleName();
    if (!button.title().trimmed().isEmpty()) return button.title().simplified();
    // A caption drawn on the button ("功能" on the menu button).
    for (const Label* label : button.findChildren<const Label*>(Qt::FindDirectChildrenOnly)) {
        if (!label->isHidden() && hasText(label)) return label->text().simplified();
    }
    if (const QString caption = captionName(button); !caption.isEmpty())
        return caption.simplified();
    const QString picture = button.backgroundImage().name();
    const QString key = keysByStem_.value(stemOf(picture), keysByStem_.value(picture));
    return key.isEmpty() || !text_ ? QString() : text_(key);
}

QString AccessibleNames::nameOfBar(const QWidget& bar) const {
    // The panel the bar belongs to: the first holder that is more than a plain view or picture.
    const QWidget* panel = bar.parentWidget();
    while (panel && (qobject_cast<const ImageView*>(panel) ||
                     panel->metaObject() == &QWidget::staticMetaObject)) {
        panel = panel->parentWidget();
    }
    const QString key = barKeys_.value(
        QString("%1/%2").arg(panel ? panel->metaObject()->className() : "", bar.objectName()));
    if (!key.isEmpty() && text_) return text_(key);
    const Label* caption = captionOfBar(bar);
    return caption ? caption->text().simplified() : QString();
}

bool AccessibleNames::isCaption(const Label& label) {
    if (qobject_cast<const ImageButton*>(label.parentWidget())) return true;
    for (const ImageButton* button : siblingsOf<ImageButton>(label)) {
        if (captionUnder(*button) == &label) return true;
    }
    for (const ImageView* view : siblingsOf<ImageView>(label)) {
        if (isBar(view) && captionOfBar(*view) == &label) return true;
    }
    return false;
}

void AccessibleNames::tap(ImageButton& button) {
    button.touchDown();
    if (!clock_) return button.touchUp(true);
    clock_->callAfter(kTapSeconds, [pressed = QPointer<ImageButton>(&button)] {
        if (pressed) pressed->touchUp(true);
    });
}

}  // namespace tk
