#include "panels/LanguageStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "main/toolkit/Bundle.h"

namespace {

class LanguageStoreTest : public ::testing::Test {
protected:
    void write(const QString& name, const QByteArray& text) {
        QFile file(dir.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray plist(const char* value) {
        return QByteArray("<plist><dict><key>Menu</key><string>") + value +
               "</string></dict></plist>";
    }

    QTemporaryDir dir;
    tk::Bundle bundle{dir.path()};
    panels::LanguageStore store{bundle};
};

TEST_F(LanguageStoreTest, FlagsChooseTheFileAndOthersKeepTheLastLoaded) {
    write("zh.plist", plist("功能"));
    write("en.plist", plist("Menu"));
    EXPECT_TRUE(store.load(5).isEmpty()) << "nothing loaded yet";
    EXPECT_EQ(store.load(1).value("Menu"), "Menu");
    EXPECT_EQ(store.load(2).value("Menu"), "Menu");
    EXPECT_EQ(store.load(0).value("Menu"), QString::fromUtf8("功能"));
    EXPECT_EQ(store.load(-1).value("Menu"), QString::fromUtf8("功能"));
    EXPECT_EQ(store.text(1, "Menu"), "Menu");
    EXPECT_EQ(store.text(1, "missing"), "");
}

TEST_F(LanguageStoreTest, EveryLoadReadsTheFileAgain) {
    write("en.plist", plist("Menu"));
    store.load(1);
    write("en.plist", plist("Functions"));
    EXPECT_EQ(store.load(1).value("Menu"), "Functions");
}

TEST_F(LanguageStoreTest, ARewriteOfTheSameLengthIsReadToo) {
    write("en.plist", plist("Menu1"));
    EXPECT_EQ(store.load(1).value("Menu"), "Menu1");
    EXPECT_EQ(store.load(1).value("Menu"), "Menu1") << "unchanged";
    write("en.plist", plist("Menu2"));
    EXPECT_EQ(store.load(1).value("Menu"), "Menu2");
    write("zh.plist", plist("Menu3"));
    EXPECT_EQ(store.load(0).value("Menu"), "Menu3");
    EXPECT_EQ(store.load(1).value("Menu"), "Menu2") << "each language keeps its own";
}

TEST_F(LanguageStoreTest, MissingOrBrokenFileGivesNoTexts) {
    write("en.plist", plist("Menu"));
    store.load(1);
    EXPECT_TRUE(store.load(0).isEmpty()) << "no zh file";
    write("en.plist", "<plist><dict><key>Menu</key><string>broken");
    EXPECT_TRUE(store.load(1).isEmpty());
}

}  // namespace
