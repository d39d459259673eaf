#include "main/toolkit/ListView.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/Log.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListViewSource.h"
#include "support/Mouse.h"

namespace {

// The language list's pattern: two rows, and a selection reloads them.
struct LanguageSource : tk::ListViewSource {
    int cellsMade = 0;
    std::vector<int> selections;

    int numberOfRows(tk::ListView&) override { return 2; }
    double heightForRow(tk::ListView&, int) override { return 30.0; }
    tk::ListCell* cellForRow(tk::ListView& list, int row) override {
        tk::ListCell* cell = list.dequeueReusableCell("cell1");
        if (!cell) {
            cell = new tk::ListCell("cell1");
            ++cellsMade;
        }
        cell->textLabel()->setText(row == 0 ? QString::fromUtf8("简体中文") : "English");
        return cell;
    }
    void didSelectRow(tk::ListView& list, int row) override {
        selections.push_back(row);
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

TEST_F(ListViewTest, RowsHeightsAndCellsComeFromTheSource) {
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
}

TEST_F(ListViewTest, TapSelectsThroughTheSourceAndTheReloadReusesCells) {
    list.reloadData();
    const QPoint inRowOne(50, 45);
    EXPECT_EQ(list.rowAt(inRowOne), 1);
    QWidget* target = list.childAt(inRowOne);
    ASSERT_NE(target, nullptr);
    testsupport::tap(target, target->mapFrom(&list, inRowOne));
    EXPECT_EQ(source.selections, std::vector<int>{1});
    EXPECT_EQ(source.cellsMade, 2) << "the reload took its cells back from the reuse queue";
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
    int rows = -4;
    int numberOfRows(tk::ListView&) override { return rows; }
    double heightForRow(tk::ListView&, int) override { return -1e300; }
    tk::ListCell* cellForRow(tk::ListView&, int) override { return nullptr; }
};

TEST(ListViewSourceMistakes, NegativeCountsAndMissingCellsAreSurvived) {
    tk::ListView list;
    BrokenSource broken;
    list.setSource(&broken);
    list.reloadData();
    EXPECT_EQ(list.numberOfRows(), 0);
    broken.rows = 1;
    base::LogCapture capture;
    list.reloadData();
    ASSERT_EQ(list.numberOfRows(), 1);
    EXPECT_NE(list.cellForRow(0), nullptr);
    EXPECT_GE(list.cellForRow(0)->height(), 1);
    EXPECT_EQ(capture.lines().size(), 1u);
}

}  // namespace
