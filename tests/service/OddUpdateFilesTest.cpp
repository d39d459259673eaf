// Update files as users hand them over: sizes at the piece boundaries, folders, links that
// loop, files that change between the listing and the pick, and names no one would type.
// Each is read whole or refused with its reason; nothing is read past the limit.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "link/FrameFormat.h"
#include "service/FileBrowser.h"

namespace {

using service::FileBrowser;
using Refusal = service::PickedFile::Refusal;

struct OddFiles : ::testing::Test {
    OddFiles() { browser.directoryForNewChooser(); }
    void write(const QByteArray& name, qint64 size) {
        QFile file(home.filePath(QFile::decodeName(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.constData();
        file.write(QByteArray(size, '\x5A'));
    }
    // The name as the chooser shows it, picked as the chooser picks it.
    service::PickedFile pickListed(const QByteArray& name) {
        const QString shown = QFile::decodeName(name);
        EXPECT_TRUE(browser.contentsOfDirectoryAtPath(".").contains(shown)) << name.constData();
        return browser.contentsAtPath(shown);
    }

    QTemporaryDir home;
    FileBrowser browser{[this] { return home.path(); }};
};

// The limit's far side, empty files and dangling links are refused in the chooser's own test.
TEST_F(OddFiles, SizesAroundOnePieceAndTheLimitAreReadWhole) {
    const qint64 sizes[] = {1, chairlink::kUpdatePieceSize, chairlink::kUpdatePieceSize + 1,
                            FileBrowser::kLargestUpdateFile};
    for (qint64 size : sizes) {
        write("fw.bin", size);
        const auto picked = pickListed("fw.bin");
        ASSERT_TRUE(picked.data) << size;
        EXPECT_EQ(picked.data->size(), size);
    }
}

TEST_F(OddFiles, FoldersAndLinksThatGoNowhereAreRefusedAsUnreadable) {
    QDir(home.path()).mkdir("folder");
    QFile::link(home.filePath("loop-b"), home.filePath("loop-a"));
    QFile::link(home.filePath("loop-a"), home.filePath("loop-b"));
    for (const char* name : {"folder", "loop-a"}) {
        const auto picked = pickListed(name);
        EXPECT_EQ(picked.refusal, Refusal::Unreadable) << name;
        EXPECT_FALSE(picked.data) << name;
    }
    EXPECT_FALSE(browser.changeCurrentDirectoryPath("loop-a"));
    EXPECT_TRUE(browser.changeCurrentDirectoryPath("folder"));
}

TEST_F(OddFiles, AFileThatChangesAfterTheListingIsReadAsItIsNow) {
    write("shrinks.bin", 500);
    write("empties.bin", 500);
    write("vanishes.bin", 500);
    const QStringList listed = browser.contentsOfDirectoryAtPath(".");
    ASSERT_EQ(listed.size(), 3);
    QFile(home.filePath("shrinks.bin")).resize(103);
    QFile(home.filePath("empties.bin")).resize(0);
    QFile::remove(home.filePath("vanishes.bin"));
    EXPECT_EQ(browser.contentsAtPath("shrinks.bin").data->size(), 103);
    EXPECT_EQ(browser.contentsAtPath("empties.bin").refusal, Refusal::Empty);
    EXPECT_EQ(browser.contentsAtPath("vanishes.bin").refusal, Refusal::Unreadable);
}

TEST_F(OddFiles, NamesWithNewlinesOrBytesThatAreNoTextAreListedAndRead) {
    const QByteArray names[] = {"two\nlines.bin", "tab\there.bin", "caf\xc3\xa9.bin",
                                "not-utf8-\xff\xfe.bin", " leading space"};
    for (const QByteArray& name : names) write(name, 7);
    EXPECT_EQ(browser.contentsOfDirectoryAtPath(".").size(), qsizetype(std::size(names)));
    for (const QByteArray& name : names) {
        const auto picked = pickListed(name);
        ASSERT_TRUE(picked.data) << name.toHex().constData();
        EXPECT_EQ(picked.data->size(), 7);
    }
}

}  // namespace
