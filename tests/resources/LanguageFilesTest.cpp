// The two language files the bundle carries: every key in both languages, read by the same
// reader the app uses, and each text fitting the place where it shows.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/PropertyList.h"

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

double widthAt(double size, const QString& text) {
    return QFontMetricsF(tk::Fonts::system(size)).horizontalAdvance(text);
}

class LanguageFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const auto path = bundle.pathForResource(GetParam(), "plist");
        ASSERT_TRUE(path) << "the build copies " << GetParam() << ".plist into the bundle";
        const auto read = tk::readPropertyListDictionary(*path);
        ASSERT_TRUE(read) << "the app's reader rejects " << path->toStdString();
        texts = *read;
    }

    bool chinese() const { return QString(GetParam()) == "zh"; }

    tk::Bundle bundle{tk::Bundle::defaultDirectory()};
    tk::StringDictionary texts;
    const std::vector<LanguageKey> keys = resourcetests::languageKeys();
};

TEST_P(LanguageFilesTest, EveryKeyHasATextAndThereAreNoOthers) {
    ASSERT_EQ(keys.size(), 90u);
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

TEST_P(LanguageFilesTest, TextsFitWhereTheyShow) {
    for (const LanguageKey& entry : keys) {
        const QString text = texts.value(entry.key);
        const std::string what = entry.key.toStdString() + ": " + text.toStdString();
        if (entry.place.startsWith("title:")) {
            EXPECT_LE(widthAt(13, text), 300) << what;  // one line of the phone's title
        } else if (entry.place.startsWith("hint:")) {
            const QChar last = text.back();
            EXPECT_TRUE(last == u'.' || last == u'。' || last == u'…') << "a sentence: " << what;
        } else if (entry.place.startsWith("caption")) {
            EXPECT_LE(widthAt(11, text), 60) << what;  // captions of the main screen
        } else if (entry.place.startsWith("menu entry")) {
            EXPECT_LE(widthAt(10, text), 45) << what;
        } else if (entry.place.startsWith("Auto panel button")) {
            EXPECT_LE(widthAt(9, text), 80) << what;  // printed across the button
        } else if (entry.place.contains("three memory buttons")) {
            EXPECT_LE(widthAt(14, text), 320) << what;  // one label under the whole row
        } else if (entry.place.contains("three test selections")) {
            EXPECT_LE(widthAt(10, text), 200) << what;  // one label across the box
        } else {
            // Panel captions wrap over at most two lines of 60 points.
            EXPECT_LE(widthAt(10, text), 2 * 60) << what;
            for (const QString& word : text.split(' ')) EXPECT_LE(widthAt(10, word), 60) << what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFilesTest, ::testing::Values("zh", "en"));

}  // namespace
