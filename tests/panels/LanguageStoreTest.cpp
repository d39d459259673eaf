#include "main/panelkit/LanguageStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "main/toolkit/Bundle.h"
#include "tests/panels/PanelRig.h"

namespace {

struct LanguageStoreTest : ::testing::Test {
    void write(const QString& name, const char* value) {
        paneltest::writeFile(dir.path() + "/" + name,
                             QByteArray("<plist><dict><key>Menu</key><string>") + value +
                                 "</string></dict></plist>");
    }
    QString menu(int flag) { return store.load(flag).value("Menu"); }

    QTemporaryDir dir;
    tk::Bundle bundle{dir.path()};
    panels::LanguageStore store{bundle};
};

// Missing and broken files are the damaged-files test's and the property-list reader's.
TEST_F(LanguageStoreTest, FlagsChooseTheFileAndEachLoadReadsItAgain) {
    write("zh.plist", "功能");
    write("en.plist", "Menu");
    EXPECT_TRUE(store.load(5).isEmpty()) << "nothing loaded yet";
    EXPECT_EQ(menu(1), "Menu");
    EXPECT_EQ(menu(2), "Menu");
    EXPECT_EQ(menu(0), QString::fromUtf8("功能"));
    EXPECT_EQ(menu(-1), QString::fromUtf8("功能"));
    EXPECT_EQ(store.text(1, "Menu"), "Menu");
    EXPECT_EQ(store.text(1, "missing"), "");
    // Every load reads the file again; each language keeps its own.
    write("en.plist", "Unem");  // the same length
    EXPECT_EQ(menu(1), "Unem");
    write("zh.plist", "Menu3");
    EXPECT_EQ(menu(0), "Menu3");
    EXPECT_EQ(menu(1), "Unem");
}

}  // namespace
