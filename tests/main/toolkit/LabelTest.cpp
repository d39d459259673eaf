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
const QChar kEllipsis(0x2026);

TEST(TextLines, TruncationAtTheTailOrTheHeadFitsOneLine) {
    const QFont font = tk::Fonts::system(13);
    const auto tail = TextLines::layout(kLong, font, 100, 30, 1, LineBreakMode::TailTruncation);
    ASSERT_EQ(tail.size(), 1);
    EXPECT_TRUE(tail[0].endsWith(kEllipsis));
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(tail[0]), 100);
    const auto head = TextLines::layout(kLong, font, 100, 30, 1, LineBreakMode::HeadTruncation);
    ASSERT_EQ(head.size(), 1);
    EXPECT_TRUE(head[0].startsWith(kEllipsis));
    EXPECT_TRUE(head[0].endsWith("programme"));
}

TEST(TextLines, WrapsByCharacterOrWordWithinTheLinesOrTheHeight) {
    const QFont small = tk::Fonts::system(10);
    const auto chars = TextLines::layout("languageoption", small,
                                         QFontMetrics(small).horizontalAdvance("language") + 1, 100,
                                         2, LineBreakMode::CharWrap);
    ASSERT_EQ(chars.size(), 2);
    EXPECT_EQ(chars[0] + chars[1], "languageoption");

    const QFont font = tk::Fonts::system(13);
    const int lineHeight = QFontMetrics(font).lineSpacing();
    const auto words =
        TextLines::layout(kLong, font, 120, lineHeight * 3, 0, LineBreakMode::WordWrap);
    EXPECT_EQ(words.size(), 3) << "no line limit: as many as the height takes";
    EXPECT_TRUE(words[0].startsWith("Please"));

    EXPECT_EQ(TextLines::layout(kLong, font, 50, 30, 1, LineBreakMode::Clip), QStringList{kLong});
    EXPECT_EQ(TextLines::layout("Menu", font, 200, 30, 1, LineBreakMode::TailTruncation),
              QStringList{"Menu"});
    EXPECT_TRUE(TextLines::layout("", font, 200, 30, 1, LineBreakMode::Clip).isEmpty());
}

TEST(Label, PassesTapsOnAndShowsItsTextInItsFont) {
    tk::Label label;
    label.resize(60, 13);
    EXPECT_FALSE(tk::isUserInteractionEnabled(&label)) << "a caption passes taps to its button";
    label.setText(QString::fromUtf8("功能"));
    label.setTextFont(tk::Fonts::system(11));
    label.setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(label.textAlignment(), Qt::AlignHCenter) << "only the horizontal part is kept";
    EXPECT_EQ(label.visibleLines(), QStringList{QString::fromUtf8("功能")});
    EXPECT_GT(label.textWidth(), 0);
}

// A named font's style shows on the hint line, whose copies are bold.
TEST(Fonts, UnknownNamedFontKeepsItsSizeAndFallsBack) {
    const QFont unknown = tk::Fonts::named("NoSuchFamily", 30);
    EXPECT_EQ(unknown.pixelSize(), 30);
    EXPECT_GT(QFontMetrics(unknown).height(), 0);
    EXPECT_EQ(tk::Fonts::system(-3).pixelSize(), 1);
}

}  // namespace
