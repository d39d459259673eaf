// The two language files the bundle carries: every key in both languages, read by the same
// reader the app uses, and each text fitting the place where it shows.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QRegularExpression>
#include <algorithm>

#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/TextLines.h"

namespace {

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x3400 && c.unicode() <= 0x9FFF; });
}

QStringList words(const QString& text) {
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

// The label each caption shows in on a phone, where space is tightest: font size, width and
// how many lines it may take (the labels wrap by characters).
struct Frame {
    double size = 0;
    int width = 0;
    int lines = 0;
};

Frame captionFrame(const QString& key) {
    static const std::pair<Frame, QStringList> groups[] = {
        {{11, 60, 1}, {"Menu", "Service", "Setting"}},
        {{10, 45, 1}, {"Auto", "Manual", "Pressure", "Others", "arm"}},
        {{9, 86, 1},
         {"comfort", "relax", "acherelieve", "waisttwist", "fullairpressure", "waiststretch"}},
        {{10, 60, 2},
         {"shouldergrasp", "knead", "flap", "kneadandflap", "shiatsu", "3DMassage", "lower",
          "waistbutt", "foot", "legstretch"}},
        {{10, 30, 1}, {"speed", "width"}},
        {{10, 50, 2},
         {"fullback", "upperback", "lowerback", "partial", "fixed", "languageoption",
          "volumeadjust"}},
        {{10, 50, 1}, {"strength", "SpeedOnOther", "serviceBtn3"}},
        {{10, 45, 2}, {"heatfunction", "rolleronsole"}},
        {{14, 320, 1}, {"memostore"}},
        {{10, 60, 1}, {"running", "pause"}},
        {{10, 70, 1}, {"serviceBtn1"}},
        {{10, 200, 1}, {"serviceBtn2"}},
        {{10, 100, 1}, {"serviceBtn4", "serviceBtn5", "serviceBtn6"}},
    };
    for (const auto& [frame, keys] : groups) {
        if (keys.contains(key)) return frame;
    }
    return {};
}

class LanguageFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        // The same call the app makes for its language dictionary.
        const auto read = bundle.dictionary(GetParam(), "plist");
        ASSERT_TRUE(read) << "the app's reader rejects " << GetParam() << ".plist";
        texts = *read;
    }

    tk::Bundle bundle{tk::Bundle::defaultDirectory()};
    tk::StringDictionary texts;
    const std::vector<resourcetests::LanguageKey> keys = resourcetests::languageKeys();
};

TEST_P(LanguageFilesTest, EveryKeyHasATextThatFitsWhereItShowsAndThereAreNoOthers) {
    ASSERT_EQ(keys.size(), 121u);
    const bool chinese = QString(GetParam()) == "zh";
    EXPECT_EQ(texts.size(), qsizetype(keys.size())) << "a key the screens never ask for";
    // Title index 0 and hint index 19 ask for the empty key; they must show nothing.
    EXPECT_FALSE(texts.contains(QString()));
    // Each text is in the language and fits: captions their labels, titles one line, and
    // hints are sentences.
    int captions = 0;
    for (const auto& [key, place] : keys) {
        const QString text = texts.value(key);
        const std::string what = key.toStdString() + ": " + text.toStdString();
        EXPECT_FALSE(text.trimmed().isEmpty()) << what;
        EXPECT_EQ(hasChinese(text), chinese) << what;
        if (place.startsWith("title:")) {
            const double width = QFontMetricsF(tk::Fonts::system(13)).horizontalAdvance(text);
            EXPECT_LE(width, 300) << what;  // the phone's title line
            EXPECT_FALSE(text.contains('\n')) << what;
        } else if (place.startsWith("hint:")) {
            EXPECT_TRUE(text.endsWith(u'.') || text.endsWith(u'\u3002') || text.endsWith(u'\u2026'))
                << what;
            EXPECT_FALSE(text.contains('\n')) << what;
        } else if (!place.startsWith("window title:") && !place.startsWith("screen reader:")) {
            const Frame frame = captionFrame(key);
            ASSERT_GT(frame.width, 0) << "no label frame for " << what;
            ++captions;
            const QStringList lines =
                tk::TextLines::layout(text, tk::Fonts::system(frame.size), frame.width, 1000,
                                      frame.lines, tk::LineBreakMode::CharWrap);
            const std::string shown = what + " shows " + lines.join('|').toStdString();
            if (chinese) {
                EXPECT_EQ(lines.join(""), QString(text).remove('\n')) << shown;
            } else {
                // Every shown piece is a whole word: nothing cut off, nothing split.
                EXPECT_EQ(words(lines.join('\n')), words(text)) << shown;
            }
        }
    }
    EXPECT_EQ(captions, 46);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFilesTest, ::testing::Values("zh", "en"));

}  // namespace
