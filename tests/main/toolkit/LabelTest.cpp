#include "main/toolkit/Label.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "main/toolkit/Fonts.h"
#include "main/toolkit/TextLines.h"
#include "main/toolkit/ViewAttributes.h"

namespace {

using tk::LineBreakMode;
using tk::TextLines;

const QString kLong = "Please connect to the massage chair before you start a programme";

TEST(TextLines, OneLineTailTruncationEndsInAnEllipsis) {
    const QFont font = tk::Fonts::system(13);
    const auto lines = TextLines::layout(kLong, font, 100, 30, 1, LineBreakMode::TailTruncation);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QChar(0x2026)));
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(lines[0]), 100);
}

TEST(TextLines, HeadTruncationKeepsTheEnd) {
    const auto lines =
        TextLines::layout(kLong, tk::Fonts::system(13), 100, 30, 1, LineBreakMode::HeadTruncation);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QChar(0x2026)));
    EXPECT_TRUE(lines[0].endsWith("programme"));
}

TEST(TextLines, CharacterWrapOverTwoLines) {
    const QFont font = tk::Fonts::system(10);
    const auto lines = TextLines::layout("languageoption", font,
                                         QFontMetrics(font).horizontalAdvance("language") + 1, 100,
                                         2, LineBreakMode::CharWrap);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0] + lines[1], "languageoption");
}

TEST(TextLines, WordWrapWithNoLimitUsesTheHeight) {
    const QFont font = tk::Fonts::system(13);
    const int lineHeight = QFontMetrics(font).lineSpacing();
    const auto lines =
        TextLines::layout(kLong, font, 120, lineHeight * 3, 0, LineBreakMode::WordWrap);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Please"));
}

TEST(TextLines, ClipKeepsTheWholeLineAndShortTextIsUntouched) {
    const QFont font = tk::Fonts::system(13);
    EXPECT_EQ(TextLines::layout(kLong, font, 50, 30, 1, LineBreakMode::Clip), QStringList{kLong});
    EXPECT_EQ(TextLines::layout("Menu", font, 200, 30, 1, LineBreakMode::TailTruncation),
              QStringList{"Menu"});
    EXPECT_TRUE(TextLines::layout("", font, 200, 30, 1, LineBreakMode::Clip).isEmpty());
}

TEST(Label, DefaultsAndSettings) {
    tk::Label label;
    label.resize(60, 13);
    EXPECT_EQ(label.numberOfLines(), 1);
    EXPECT_EQ(label.lineBreakMode(), LineBreakMode::TailTruncation);
    EXPECT_FALSE(tk::isUserInteractionEnabled(&label)) << "a caption passes taps to its button";
    label.setText(QString::fromUtf8("功能"));
    label.setTextFont(tk::Fonts::system(11));
    label.setTextColor(Qt::white);
    label.setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(label.textAlignment(), Qt::AlignHCenter);
    EXPECT_EQ(label.textFont().pixelSize(), 11);
    EXPECT_EQ(label.visibleLines(), QStringList{QString::fromUtf8("功能")});
    EXPECT_GT(label.textWidth(), 0);
}

TEST(Fonts, NamedFontKeepsSizeAndStyleAndFallsBack) {
    const QFont bold = tk::Fonts::named("Helvetica-Bold", 15);
    EXPECT_EQ(bold.pixelSize(), 15);
    EXPECT_TRUE(bold.bold());
    const QFont unknown = tk::Fonts::named("NoSuchFamily", 30);
    EXPECT_EQ(unknown.pixelSize(), 30);
    EXPECT_GT(QFontMetrics(unknown).height(), 0);
    EXPECT_EQ(tk::Fonts::system(-3).pixelSize(), 1);
}

}  // namespace
