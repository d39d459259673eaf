// The two language files the bundle carries: every key in both languages, read by the same
// reader the app uses, and each title and hint fitting the place where it shows.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <algorithm>

#include "ResourceLists.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"

namespace {

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x3400 && c.unicode() <= 0x9FFF; });
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

TEST_P(LanguageFilesTest, EveryKeyHasATextInItsLanguageThatFitsAndThereAreNoOthers) {
    ASSERT_EQ(keys.size(), 121u);
    const bool chinese = QString(GetParam()) == "zh";
    EXPECT_EQ(texts.size(), qsizetype(keys.size())) << "a key the screens never ask for";
    // Title index 0 and hint index 19 ask for the empty key; they must show nothing.
    EXPECT_FALSE(texts.contains(QString()));
    // Each text is in the language; titles fit their one line and hints are sentences.
    // Captions are checked where they show, on every screen (EveryScreen).
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
        }
    }
    // The Info panel's state label is seen on screen while running; paused, it shows "pause".
    const QFontMetricsF state(tk::Fonts::system(10));
    EXPECT_LE(state.horizontalAdvance(texts.value("pause")),
              state.horizontalAdvance(texts.value("running")));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFilesTest, ::testing::Values("zh", "en"));

}  // namespace
