// The property-list reader the app loads its language files with. The files are bundle
// content, but a broken or foreign file must give nothing and one log line, never a crash.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/Log.h"
#include "main/toolkit/PropertyList.h"

namespace {

using tk::StringDictionary;

QByteArray plist(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">" +
           body + "</plist>\n";
}

std::optional<StringDictionary> parse(const QByteArray& document) {
    return tk::parsePropertyListDictionary(document, "test.plist");
}

TEST(PropertyListTest, ReadsTheStringsOfTheDictionary) {
    const std::pair<QByteArray, StringDictionary> cases[] = {
        {"<dict><key>Menu</key><string>功能</string><key>Knead &amp; tap</key>"
         "<string>a &lt;b&gt; c</string><key>cdata</key><string><![CDATA[x & y]]></string>"
         "<key>blank</key><string/></dict>",
         {{"Menu", QString::fromUtf8("功能")},
          {"Knead & tap", "a <b> c"},
          {"cdata", "x & y"},
          {"blank", ""}}},
        // Whitespace is kept, and the empty key is a key like any other.
        {"<dict>\n\t<key></key>\n\t<string>  two  words </string>\n</dict>",
         {{"", "  two  words "}}},
        // Values that are no strings are left out, and reading goes on after them.
        {"<dict><key>n</key><integer>3</integer><key>yes</key><true/><key>nested</key><dict>"
         "<key>inner</key><string>x</string></dict><key>list</key><array><string>a</string>"
         "</array><key>after</key><string>kept</string></dict>",
         {{"after", "kept"}}},
        {"<dict><key>k</key><string>first</string><key>k</key><string>second</string></dict>",
         {{"k", "second"}}},  // a later duplicate wins
        {"<dict/>", {}},
    };
    for (const auto& [body, expected] : cases) {
        const auto entries = parse(plist(body));
        ASSERT_TRUE(entries) << body.toStdString();
        EXPECT_EQ(*entries, expected) << body.toStdString();
    }
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
        EXPECT_EQ(log.lines().size(), 1u) << document.toStdString();
    }
}

TEST(PropertyListTest, ReadsAFileAndRejectsAMissingOrHugeOne) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& value) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(plist("<dict><key>Menu</key><string>" + value + "</string></dict>"));
        return file.fileName();
    };
    EXPECT_EQ(tk::readPropertyListDictionary(write("en.plist", "Menu")),
              (StringDictionary{{"Menu", "Menu"}}));
    base::LogCapture log;
    EXPECT_FALSE(tk::readPropertyListDictionary(dir.filePath("missing.plist")));
    EXPECT_FALSE(tk::readPropertyListDictionary(dir.path()));  // a folder, not a file
    EXPECT_FALSE(
        tk::readPropertyListDictionary(write("huge.plist", QByteArray(9 * 1024 * 1024, 'x'))));
    EXPECT_EQ(log.lines().size(), 3u);
}

}  // namespace
