#include "main/toolkit/ControlKinds.h"

#include <QRegularExpression>
#include <QWidget>
#include <algorithm>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/ViewAttributes.h"

namespace tk {

namespace {
bool isSegment(const QObject* object) {
    const auto* button = qobject_cast<const ImageButton*>(object);
    return button && button->backgroundImage().name().isEmpty() &&
           qobject_cast<const ImageView*>(button->parent());
}
}  // namespace

ImageView* barOf(const QWidget* segment) {
    return isSegment(segment) ? static_cast<ImageView*>(segment->parentWidget()) : nullptr;
}

bool isBar(const QWidget* view) {
    if (!qobject_cast<const ImageView*>(view)) return false;
    const auto children = view->children();
    return std::any_of(children.begin(), children.end(), isSegment);
}

std::vector<ImageButton*> segmentsOf(const QWidget* bar) {
    std::vector<ImageButton*> segments;
    if (!bar) return segments;
    for (QObject* child : bar->children()) {
        if (isSegment(child)) segments.push_back(static_cast<ImageButton*>(child));
    }
    std::stable_sort(segments.begin(), segments.end(), [](ImageButton* a, ImageButton* b) {
        return a->geometry().left() < b->geometry().left();
    });
    return segments;
}

int gradeOf(const ImageView* bar) {
    static const QRegularExpression grade("_(\\d)$");
    const auto match = bar ? grade.match(bar->image().name()) : QRegularExpressionMatch();
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::optional<ListRow> listRowOf(const QWidget* cell) {
    if (!qobject_cast<const ListCell*>(cell)) return std::nullopt;
    for (QWidget* up = cell->parentWidget(); up; up = up->parentWidget()) {
        auto* list = qobject_cast<ListView*>(up);
        if (!list) continue;
        for (int row = 0; row < list->numberOfRows(); ++row) {
            if (list->cellForRow(row) == cell) return ListRow{list, row};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool isShowing(const QWidget* view) {
    if (!view) return false;
    if (const auto row = listRowOf(view)) view = row->list;
    QRect seen = view->rect();
    for (const QWidget* v = view; v; v = v->parentWidget()) {
        if (v->isHidden() || alphaOf(v) < 0.01) return false;
        if (v->isWindow()) break;
        seen = seen.translated(v->pos()) & v->parentWidget()->rect();
        if (seen.isEmpty()) return false;
    }
    return true;
}

}  // namespace tk
