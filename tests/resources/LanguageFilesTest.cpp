// The two language files the bundle carries: every key in both languages, read by the same
// reader the app uses, and each text fitting the place where it shows.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QHash>
#include <QRegularExpression>

#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/PropertyList.h"
#include "main/toolkit/TextLines.h"

namespace {

using resourcetests::LanguageKey;

bool hasChinese(const QString& text) {
    for (const QChar c : text) {
        if ((c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) ||
            (c.unicode() >= 0x3400 && c.unicode() <= 0x4DBF)) {
            return true;
        }
    }
    return false;
}

class LanguageFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(bundle.pathForResource(GetParam(), "plist"))
            << "the build copies " << GetParam() << ".plist into the bundle";
        // The same call the app makes for its language dictionary.
        const auto read = bundle.dictionary(GetParam(), "plist");
        ASSERT_TRUE(read) << "the app's reader rejects " << GetParam() << ".plist";
        texts = *read;
    }

    bool chinese() const { return QString(GetParam()) == "zh"; }

    tk::Bundle bundle{tk::Bundle::defaultDirectory()};
    tk::StringDictionary texts;
    const std::vector<LanguageKey> keys = resourcetests::languageKeys();
};

TEST_P(LanguageFilesTest, EveryKeyHasATextAndThereAreNoOthers) {
    ASSERT_EQ(keys.size(), 112u);
    for (const LanguageKey& entry : keys) {
        EXPECT_FALSE(texts.value(entry.key).trimmed().isEmpty()) << entry.key.toStdString();
    }
    EXPECT_EQ(texts.size(), qsizetype(keys.size())) << "a key the screens never ask for";
    // Title index 0 and hint index 19 ask for the empty key; they must show nothing.
    EXPECT_FALSE(texts.contains(QString()));
}

TEST_P(LanguageFilesTest, TextsAreWrittenInTheirLanguage) {
    for (const LanguageKey& entry : keys) {
        const QString text = texts.value(entry.key);
        EXPECT_EQ(hasChinese(text), chinese())
            << entry.key.toStdString() << ": " << text.toStdString();
    }
}

// The label each caption shows in on a phone, where space is tightest: font size, width and
// how many lines it may take (the labels wrap by characters).
struct Frame {
    double size;
    int width;
    int lines;
};

Frame captionFrame(const QString& key) {
    static const QHash<QString, Frame> frames = {
        {"Menu", {11, 60, 1}},
        {"Service", {11, 60, 1}},
        {"Setting", {11, 60, 1}},
        {"Auto", {10, 45, 1}},
        {"Manual", {10, 45, 1}},
        {"Pressure", {10, 45, 1}},
        {"Others", {10, 45, 1}},
        {"comfort", {9, 86, 1}},
        {"relax", {9, 86, 1}},
        {"acherelieve", {9, 86, 1}},
        {"waisttwist", {9, 86, 1}},
        {"fullairpressure", {9, 86, 1}},
        {"waiststretch", {9, 86, 1}},
        {"shouldergrasp", {10, 60, 2}},
        {"knead", {10, 60, 2}},
        {"flap", {10, 60, 2}},
        {"kneadandflap", {10, 60, 2}},
        {"shiatsu", {10, 60, 2}},
        {"3DMassage", {10, 60, 2}},
        {"speed", {10, 30, 1}},
        {"width", {10, 30, 1}},
        {"fullback", {10, 50, 2}},
        {"upperback", {10, 50, 2}},
        {"lowerback", {10, 50, 2}},
        {"partial", {10, 50, 2}},
        {"fixed", {10, 50, 2}},
        {"arm", {10, 45, 1}},
        {"strength", {10, 50, 1}},
        {"lower", {10, 60, 2}},
        {"waistbutt", {10, 60, 2}},
        {"foot", {10, 60, 2}},
        {"legstretch", {10, 60, 2}},
        {"heatfunction", {10, 45, 2}},
        {"rolleronsole", {10, 45, 2}},
        {"SpeedOnOther", {10, 50, 1}},
        {"memostore", {14, 320, 1}},
        {"running", {10, 60, 1}},
        {"pause", {10, 60, 1}},
        {"serviceBtn1", {10, 70, 1}},
        {"serviceBtn2", {10, 200, 1}},
        {"serviceBtn3", {10, 50, 1}},
        {"serviceBtn4", {10, 100, 1}},
        {"serviceBtn5", {10, 100, 1}},
        {"serviceBtn6", {10, 100, 1}},
        {"languageoption", {10, 50, 2}},
        {"volumeadjust", {10, 50, 2}},
    };
    return frames.value(key, Frame{0, 0, 0});
}

QStringList words(const QString& text) {
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

TEST_P(LanguageFilesTest, CaptionsFitTheirLabelsWithoutBreakingAWord) {
    int captions = 0;
    for (const LanguageKey& entry : keys) {
        if (entry.place.startsWith("title:") || entry.place.startsWith("hint:") ||
            entry.place.startsWith("window title:") || entry.place.startsWith("screen reader:"))
            continue;
        const Frame frame = captionFrame(entry.key);
        ASSERT_GT(frame.width, 0) << "no label frame for " << entry.key.toStdString();
        ++captions;
        const QString text = texts.value(entry.key);
        const QStringList lines =
            tk::TextLines::layout(text, tk::Fonts::system(frame.size), frame.width, 1000,
                                  frame.lines, tk::LineBreakMode::CharWrap);
        const std::string what = entry.key.toStdString() + ": " + lines.join('|').toStdString();
        if (chinese()) {
            EXPECT_EQ(lines.join("").toStdString(), QString(text).remove('\n').toStdString())
                << what;
        } else {
            // Every shown piece is a whole word: nothing cut off, nothing split.
            EXPECT_EQ(words(lines.join('\n')).join(' ').toStdString(),
                      words(text).join(' ').toStdString())
                << what;
        }
    }
    EXPECT_EQ(captions, 46);
}

TEST_P(LanguageFilesTest, TitlesTakeOneLineAndHintsAreSentences) {
    for (const LanguageKey& entry : keys) {
        const QString text = texts.value(entry.key);
        const std::string what = entry.key.toStdString() + ": " + text.toStdString();
        if (entry.place.startsWith("title:")) {
            const double width = QFontMetricsF(tk::Fonts::system(13)).horizontalAdvance(text);
            EXPECT_LE(width, 300) << what;  // the phone's title line
            EXPECT_FALSE(text.contains('\n')) << what;
        } else if (entry.place.startsWith("hint:")) {
            const QChar last = text.back();
            EXPECT_TRUE(last == u'.' || last == u'\u3002' || last == u'\u2026') << what;
            EXPECT_FALSE(text.contains('\n')) << what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFilesTest, ::testing::Values("zh", "en"));

}  // namespace
