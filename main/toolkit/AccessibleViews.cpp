#include "main/toolkit/AccessibleViews.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "main/toolkit/Accessibility.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/KeyboardFocus.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"

namespace tk {

namespace {

bool isOurs(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && AccessibleNames::of(widget);
}

// A picture with nothing on it and no name of its own only decorates.
bool isDecoration(const QWidget* view) {
    return qobject_cast<const ImageView*>(view) && view->accessibleName().isEmpty() &&
           !view->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

// A plain view or picture: its children are the nodes a reader meets, in stacking order.
class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(QWidget* view, QAccessible::Role role = QAccessible::Client)
        : QAccessibleWidget(view, role) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto all = children();
        return index >= 0 && index < int(all.size())
                   ? QAccessible::queryAccessibleInterface(all[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* node) const override {
        const auto all = children();
        const auto at = std::find(all.begin(), all.end(), node ? node->object() : nullptr);
        return at == all.end() ? -1 : int(at - all.begin());
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (!isShowing(widget())) state.invisible = true;
        return state;
    }
    // A view the screen names itself (the hint line, a status read-out) is one text, announced
    // when it changes, whatever it is drawn with.
    QAccessible::Role role() const override {
        return isText() ? QAccessible::StaticText : QAccessibleWidget::role();
    }

protected:
    bool isText() const { return !widget()->isWindow() && !widget()->accessibleName().isEmpty(); }
    virtual std::vector<QObject*> children() const {
        std::vector<QObject*> nodes;
        if (isText()) return nodes;
        for (QObject* child : widget()->children()) {
            auto* view = qobject_cast<QWidget*>(child);
            if (!view || view->isWindow() || view->isHidden()) continue;
            if (view->objectName() == "focus-ring" || isDecoration(view)) continue;
            // Captions are their control's name; an empty label has nothing to read.
            auto* label = qobject_cast<Label*>(view);
            if (label && (label->text().trimmed().isEmpty() || AccessibleNames::isCaption(*label)))
                continue;
            nodes.push_back(view);
        }
        return nodes;
    }
};

// A grade bar: one slider, 0 to its number of segments; setting a grade taps its segment.
class BarInterface final : public ViewInterface, public QAccessibleValueInterface {
public:
    explicit BarInterface(ImageView* bar) : ViewInterface(bar, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return ViewInterface::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        const auto* names = AccessibleNames::of(widget());
        if (kind == QAccessible::Name && names) return names->nameOfBar(*widget());
        if (kind == QAccessible::Value) return QString::number(grade());
        return ViewInterface::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = ViewInterface::state();
        state.focusable = true;
        const auto* keyboard = KeyboardFocus::of(widget());
        state.focused = keyboard && barOf(keyboard->current()) == widget();
        return state;
    }
    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString& action) override {
        if (action == increaseAction()) setCurrentValue(grade() + 1);
        if (action == decreaseAction()) setCurrentValue(grade() - 1);
    }

    QVariant currentValue() const override { return grade(); }
    void setCurrentValue(const QVariant& value) override {
        const auto segments = segmentsOf(widget());
        const int grade = value.toInt();
        auto* names = AccessibleNames::of(widget());
        if (names && grade >= 1 && grade <= int(segments.size())) names->tap(*segments[grade - 1]);
    }
    QVariant maximumValue() const override { return int(segmentsOf(widget()).size()); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

protected:
    // The segments are the bar's value, not nodes of their own.
    std::vector<QObject*> children() const override { return {}; }

private:
    int grade() const { return gradeOf(static_cast<const ImageView*>(widget())); }
};

// A list: its rows, whatever views scroll them.
class ListInterface final : public ViewInterface {
public:
    explicit ListInterface(ListView* list) : ViewInterface(list, QAccessible::List) {}

protected:
    std::vector<QObject*> children() const override {
        const auto* list = static_cast<const ListView*>(widget());
        std::vector<QObject*> rows;
        for (int row = 0; row < list->numberOfRows(); ++row) {
            if (ListCell* cell = list->cellForRow(row)) rows.push_back(cell);
        }
        return rows;
    }
};

// A row reads its text, can be selected and says whether it is (highlighted or picked).
class RowInterface final : public QAccessibleWidget {
public:
    explicit RowInterface(ListCell* cell) : QAccessibleWidget(cell, QAccessible::ListItem) {}

    QAccessibleInterface* parent() const override {
        const auto row = listRowOf(widget());
        return row ? QAccessible::queryAccessibleInterface(row->list) : QAccessibleWidget::parent();
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        return cell()->textLabel()->text().simplified();
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.focusable = true;
        state.selected = cell()->isSelected() || cell()->contentBackgroundColor().isValid();
        const auto* keyboard = KeyboardFocus::of(widget());
        state.focused = keyboard && keyboard->current() == widget();
        const auto row = listRowOf(widget());
        state.invisible = !row || !isShowing(row->list);
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        const auto row = listRowOf(widget());
        if (action == pressAction() && row) row->list->selectRow(row->row);
    }

private:
    ListCell* cell() const { return static_cast<ListCell*>(widget()); }
};

}  // namespace

QAccessibleInterface* makeViewInterface(QObject* object) {
    if (!isOurs(object)) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* list = qobject_cast<ListView*>(widget)) return new ListInterface(list);
    if (auto* cell = qobject_cast<ListCell*>(widget)) return new RowInterface(cell);
    if (qobject_cast<ImageButton*>(widget) || qobject_cast<Label*>(widget)) return nullptr;
    if (auto* bar = qobject_cast<ImageView*>(widget); bar && isBar(bar))
        return new BarInterface(bar);
    if (widget->isWindow()) return new ViewInterface(widget, QAccessible::Window);
    if (qobject_cast<ImageView*>(widget)) return new ViewInterface(widget);
    // Plain views and the screens' own panels; Qt's own widgets keep Qt's interfaces.
    const QString kind = widget->metaObject()->className();
    if (kind == "QWidget" || kind.contains("::")) return new ViewInterface(widget);
    return nullptr;
}

}  // namespace tk
