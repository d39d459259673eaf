#include "main/toolkit/Tag.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "main/toolkit/Label.h"

namespace {

TEST(Tag, SearchIncludesTheRootAndGoesDepthFirstInStackingOrder) {
    QWidget root;
    tk::setTag(&root, 7);
    auto* first = new QWidget(&root);
    auto* deepInFirst = new QWidget(new QWidget(first));
    auto* second = new QWidget(&root);
    tk::setTag(deepInFirst, 3);
    tk::setTag(second, 3);

    EXPECT_EQ(tk::viewWithTag(&root, 7), &root);
    // Depth-first: the grandchild of the first child comes before the second child.
    EXPECT_EQ(tk::viewWithTag(&root, 3), deepInFirst);
    EXPECT_EQ(tk::viewWithTag(second, 3), second);
    tk::setTag(deepInFirst, 0);
    EXPECT_EQ(tk::viewWithTag(&root, 3), second);
}

TEST(Tag, CaptionInsideAButtonIsFoundFromTheRoot) {
    QWidget root;
    auto* button = new QWidget(&root);
    auto* caption = new tk::Label(button);
    tk::setTag(caption, 70);
    EXPECT_EQ(tk::viewWithTag<tk::Label>(&root, 70), caption);
    EXPECT_EQ(tk::viewWithTag<tk::Label>(&root, 71), nullptr);
}

TEST(Tag, AbsentGivesNothingAndNothingIsSafe) {
    QWidget root;
    new QWidget(&root);
    EXPECT_EQ(tk::viewWithTag(&root, 110), nullptr);
    EXPECT_EQ(tk::viewWithTag(nullptr, 0), nullptr);
    EXPECT_EQ(tk::tagOf(nullptr), 0);
    tk::setTag(nullptr, 5);
    EXPECT_EQ(tk::tagOf(&root), 0);
}

TEST(Tag, TypedLookupRejectsAViewOfAnotherKind) {
    QWidget root;
    auto* plain = new QWidget(&root);
    tk::setTag(plain, 110);
    EXPECT_EQ(tk::viewWithTag<tk::Label>(&root, 110), nullptr);
    EXPECT_EQ(tk::viewWithTag(&root, 110), plain);
}

TEST(Tag, RemovedViewIsNoLongerFound) {
    QWidget root;
    auto* panel = new QWidget(&root);
    tk::setTag(panel, 100);
    delete panel;
    EXPECT_EQ(tk::viewWithTag(&root, 100), nullptr);
}

}  // namespace
