#pragma once

#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace tk {

class ImageButton;
class ImageView;
class ListCell;
class ListView;

// What the keyboard and screen readers need to know of the screens' controls beyond their
// class: which buttons are the segments of a grade bar, what a bar shows, whether a view
// can be seen at all. Main thread only.

// A bar is a picture holding buttons without a picture of their own (its segments); its
// picture's trailing number ("manual_grade_3") is the grade it shows.
ImageView* barOf(const QWidget* segment);
bool isBar(const QWidget* view);
// The bar's segments from the left; segment k (from 1) sets grade k.
std::vector<ImageButton*> segmentsOf(const QWidget* bar);
// The grade the bar's picture shows, 0 when its name carries none.
int gradeOf(const ImageView* bar);

// Neither it nor an ancestor is hidden or fully transparent, and some of it lies inside every
// ancestor up to the window (the closed menu waits above the screen's top edge). A list's
// row counts as seen while its list is: the list scrolls to it.
bool isShowing(const QWidget* view);

// A row of a list, with the list and its row number.
struct ListRow {
    ListView* list;
    int row;
};
std::optional<ListRow> listRowOf(const QWidget* cell);

}  // namespace tk
