// The property-list reader the app loads its language files with. The files are bundle
// content, but a broken or foreign file must give nothing and one log line, never a crash.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/Log.h"
#include "main/toolkit/PropertyList.h"

namespace {

QByteArray plist(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">" +
           body + "</plist>\n";
}

std::optional<tk::StringDictionary> parse(const QByteArray& document) {
    return tk::parsePropertyListDictionary(document, "test.plist");
}

TEST(PropertyListTest, ReadsTheStringsOfTheDictionary) {
    const auto entries =
        parse(plist("<dict><key>Menu</key><string>功能</string>"
                    "<key>Knead &amp; tap</key><string>a &lt;b&gt; c</string>"
                    "<key>cdata</key><string><![CDATA[x & y]]></string>"
                    "<key>blank</key><string/></dict>"));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 4);
    EXPECT_EQ(entries->value("Menu"), QString::fromUtf8("功能"));
    EXPECT_EQ(entries->value("Knead & tap"), "a <b> c");
    EXPECT_EQ(entries->value("cdata"), "x & y");
    EXPECT_TRUE(entries->contains("blank"));
    EXPECT_TRUE(entries->value("blank").isEmpty());
}

TEST(PropertyListTest, KeepsWhitespaceAndTheEmptyKey) {
    const auto entries =
        parse(plist("<dict>\n\t<key></key>\n\t<string>  two  words </string>\n"
                    "</dict>"));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->value(QString()), "  two  words ");
}

TEST(PropertyListTest, LeavesOutValuesThatAreNotStringsAndReadsOn) {
    const auto entries =
        parse(plist("<dict><key>n</key><integer>3</integer><key>yes</key><true/>"
                    "<key>nested</key><dict><key>inner</key><string>x</string></dict>"
                    "<key>list</key><array><string>a</string><string>b</string></array>"
                    "<key>after</key><string>kept</string></dict>"));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->keys(), QStringList{"after"});
    EXPECT_EQ(entries->value("after"), "kept");
}

TEST(PropertyListTest, ALaterDuplicateKeyWins) {
    const auto entries =
        parse(plist("<dict><key>k</key><string>first</string>"
                    "<key>k</key><string>second</string></dict>"));
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->value("k"), "second");
}

TEST(PropertyListTest, AnEmptyDictionaryIsValid) {
    const auto entries = parse(plist("<dict/>"));
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->isEmpty());
}

TEST(PropertyListTest, RejectsMalformedDocumentsWithOneLogLine) {
    const QByteArray broken[] = {
        "",
        "not xml at all",
        plist("<dict><key>a</key><string>b</string>"),                     // dict never closed
        plist("<dict><key>a</key><string>b</dict>"),                       // mismatched tags
        plist("<dict><key>a</key></dict>"),                                // key without a value
        plist("<dict><string>b</string></dict>"),                          // value without a key
        plist("<dict><key>a</key><string>b<i>c</i></string></dict>"),      // markup in a text
        plist("<dict><key>a<b/></key><string>c</string></dict>"),          // markup in a key
        plist("<array><string>a</string></array>"),                        // not a dictionary
        plist("<dict/><dict/>"),                                           // two top-level values
        plist(""),                                                         // nothing in the plist
        "<dict><key>a</key><string>b</string></dict>",                     // no <plist> around it
        plist("<dict><key>a</key><string>b</string></dict>").chopped(10),  // cut short
        plist("<dict><key>a</key><string>b</string></dict>") + "<extra/>",
    };
    for (const QByteArray& document : broken) {
        base::LogCapture log;
        EXPECT_FALSE(parse(document)) << document.toStdString();
        ASSERT_EQ(log.lines().size(), 1u) << document.toStdString();
        EXPECT_EQ(log.lines()[0].rfind("PropertyList: test.plist: ", 0), 0u) << log.lines()[0];
    }
}

TEST(PropertyListTest, ReadsAFileAndRejectsAMissingOrHugeOne) {
    QTemporaryDir dir;
    const QString good = dir.filePath("en.plist");
    {
        QFile file(good);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(plist("<dict><key>Menu</key><string>Menu</string></dict>"));
    }
    const auto entries = tk::readPropertyListDictionary(good);
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->value("Menu"), "Menu");

    base::LogCapture log;
    EXPECT_FALSE(tk::readPropertyListDictionary(dir.filePath("missing.plist")));
    EXPECT_FALSE(tk::readPropertyListDictionary(dir.path()));  // a folder, not a file
    const QString huge = dir.filePath("huge.plist");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(plist("<dict><key>k</key><string>" + QByteArray(9 * 1024 * 1024, 'x') +
                         "</string></dict>"));
    }
    EXPECT_FALSE(tk::readPropertyListDictionary(huge));
    EXPECT_EQ(log.lines().size(), 3u);
}

}  // namespace
