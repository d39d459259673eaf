#pragma once

#include <QString>

namespace tk {

class ListCell;
class ListView;

// What a ListView asks of its screen: one section of rows, their cells and heights, and
// what to do with a selection. Rows are counted from 0.
class ListViewSource {
public:
    virtual ~ListViewSource() = default;

    virtual int numberOfRows(ListView& list) = 0;
    // A cell from list.dequeueReusableCell() or a new one; the list takes ownership.
    virtual ListCell* cellForRow(ListView& list, int row) = 0;
    virtual QString titleForHeader(ListView&) { return {}; }
    virtual double heightForRow(ListView&, int) { return 44.0; }
    virtual void didSelectRow(ListView&, int) {}
};

}  // namespace tk
