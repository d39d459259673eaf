#include "main/toolkit/ListView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "base/Log.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListViewSource.h"

namespace {

const QColor kHighlight(0, 204, 204, 128);

// The language list's pattern: two rows, the current one highlighted, selection reloads.
struct LanguageSource : tk::ListViewSource {
    int rows = 2;
    int current = 0;
    int cellsMade = 0;
    std::vector<int> selections;
    QString header;

    int numberOfRows(tk::ListView&) override { return rows; }
    double heightForRow(tk::ListView&, int) override { return 30.0; }
    QString titleForHeader(tk::ListView&) override { return header; }
    tk::ListCell* cellForRow(tk::ListView& list, int row) override {
        tk::ListCell* cell = list.dequeueReusableCell("cell1");
        if (!cell) {
            cell = new tk::ListCell("cell1");
            ++cellsMade;
        }
        cell->textLabel()->setText(row == 0 ? QString::fromUtf8("简体中文") : "English");
        cell->setContentBackgroundColor(row == current ? kHighlight : QColor());
        return cell;
    }
    void didSelectRow(tk::ListView& list, int row) override {
        selections.push_back(row);
        current = row;
        list.reloadData();
    }
};

struct ListViewTest : ::testing::Test {
    LanguageSource source;
    tk::ListView list;
    ListViewTest() {
        list.resize(190, 125);
        list.setSource(&source);
        list.show();
    }
};

TEST_F(ListViewTest, RowsHeightsCellsAndHeaderComeFromTheSource) {
    EXPECT_EQ(list.numberOfRows(), 0) << "nothing until the first reload";
    list.reloadData();
    ASSERT_EQ(list.numberOfRows(), 2);
    EXPECT_EQ(list.cellForRow(1)->textLabel()->text(), "English");
    EXPECT_EQ(list.cellForRow(1)->geometry(), QRect(0, 30, 190, 30)) << "rows span the list";
    EXPECT_EQ(list.cellForRow(2), nullptr);
    tk::ListView unshown;
    unshown.resize(240, 100);
    unshown.setSource(&source);
    unshown.reloadData();
    EXPECT_EQ(unshown.cellForRow(0)->width(), 240) << "also when filled before it shows";
    source.rows = 0;
    source.header = "Files";
    list.reloadData();
    EXPECT_EQ(list.headerTitle(), "Files");
    EXPECT_EQ(list.cellForRow(0), nullptr);
}

TEST_F(ListViewTest, TapSelectsThroughTheSourceAndTheReloadReusesCells) {
    list.reloadData();
    const QPoint inRowOne(50, 45);
    EXPECT_EQ(list.rowAt(inRowOne), 1);
    QWidget* target = list.childAt(inRowOne);
    ASSERT_NE(target, nullptr);
    const QPoint local = target->mapFrom(&list, inRowOne);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, local, target->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    EXPECT_EQ(source.selections, std::vector<int>{1});
    EXPECT_EQ(source.cellsMade, 2) << "the reload took its cells back from the reuse queue";
    EXPECT_EQ(list.cellForRow(1)->contentBackgroundColor(), kHighlight);
    EXPECT_FALSE(list.cellForRow(0)->contentBackgroundColor().isValid());
    list.selectRow(7);
    EXPECT_EQ(source.selections.size(), 1u);

    list.setSource(nullptr);  // without a source the list keeps the selection itself
    list.selectRow(1);
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_TRUE(list.cellForRow(1)->isSelected());
    list.deselectRow(1);
    EXPECT_EQ(list.selectedRow(), std::nullopt);
    EXPECT_FALSE(list.cellForRow(1)->isSelected());
}

struct BrokenSource : tk::ListViewSource {
    int numberOfRows(tk::ListView&) override { return -4; }
    tk::ListCell* cellForRow(tk::ListView&, int) override { return nullptr; }
};

struct NullCellSource : BrokenSource {
    int numberOfRows(tk::ListView&) override { return 1; }
    double heightForRow(tk::ListView&, int) override { return -1e300; }
};

TEST(ListViewSourceMistakes, NegativeCountsAndMissingCellsAreSurvived) {
    tk::ListView list;
    BrokenSource broken;
    list.setSource(&broken);
    list.reloadData();
    EXPECT_EQ(list.numberOfRows(), 0);
    NullCellSource nullCells;
    list.setSource(&nullCells);
    base::LogCapture capture;
    list.reloadData();
    ASSERT_EQ(list.numberOfRows(), 1);
    EXPECT_NE(list.cellForRow(0), nullptr);
    EXPECT_GE(list.cellForRow(0)->height(), 1);
    EXPECT_EQ(capture.lines().size(), 1u);
}

}  // namespace
