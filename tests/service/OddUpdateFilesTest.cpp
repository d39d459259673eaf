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
TEST_F(OddFiles, SizesAroundOnePieceAndTheLimitAreReadWholeAndOddNamesAreListedAndRead) {
    for (qint64 size : {qint64(1), qint64(chairlink::kUpdatePieceSize),
                        qint64(chairlink::kUpdatePieceSize) + 1, FileBrowser::kLargestUpdateFile}) {
        write("fw.bin", size);
        const auto picked = pickListed("fw.bin");
        ASSERT_TRUE(picked.data) << size;
        EXPECT_EQ(picked.data->size(), size);
    }
    const QByteArray names[] = {"two\nlines.bin", "tab\there.bin", "caf\xc3\xa9.bin",
                                "not-utf8-\xff\xfe.bin", " leading space"};
    for (const QByteArray& name : names) write(name, 7);
    EXPECT_EQ(browser.contentsOfDirectoryAtPath(".").size(), qsizetype(std::size(names)) + 1);
    for (const QByteArray& name : names) {
        const auto picked = pickListed(name);
        ASSERT_TRUE(picked.data) << name.toHex().constData();
        EXPECT_EQ(picked.data->size(), 7);
    }
}

TEST_F(OddFiles, FoldersLoopingLinksAndFilesChangedAfterTheListingAreReadAsTheyAreNow) {
    QDir(home.path()).mkdir("folder");
    QFile::link(home.filePath("loop-b"), home.filePath("loop-a"));
    QFile::link(home.filePath("loop-a"), home.filePath("loop-b"));
    for (const char* name : {"folder", "loop-a"})
        EXPECT_EQ(pickListed(name).refusal, Refusal::Unreadable) << name;
    EXPECT_FALSE(browser.changeCurrentDirectoryPath("loop-a"));
    for (const char* name : {"shrinks.bin", "empties.bin", "vanishes.bin"}) write(name, 500);
    ASSERT_EQ(browser.contentsOfDirectoryAtPath(".").size(), 6);
    QFile(home.filePath("shrinks.bin")).resize(103);
    QFile(home.filePath("empties.bin")).resize(0);
    QFile::remove(home.filePath("vanishes.bin"));
    EXPECT_EQ(browser.contentsAtPath("shrinks.bin").data->size(), 103);
    EXPECT_EQ(browser.contentsAtPath("empties.bin").refusal, Refusal::Empty);
    EXPECT_EQ(browser.contentsAtPath("vanishes.bin").refusal, Refusal::Unreadable);
    // A folder that goes away before it is listed is empty, and what it held unreadable.
    write("folder/fw.bin", 10);
    ASSERT_TRUE(browser.changeCurrentDirectoryPath("folder"));
    QDir(home.filePath("folder")).removeRecursively();
    EXPECT_TRUE(browser.contentsOfDirectoryAtPath(browser.currentDirectoryPath()).isEmpty());
    EXPECT_EQ(browser.contentsAtPath("fw.bin").refusal, Refusal::Unreadable);
}

}  // namespace
