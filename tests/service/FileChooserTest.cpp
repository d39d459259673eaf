// The update file chooser and the upload from the service panel, through the whole app: the
// folders, the picks and refusals, the pieces the chair receives and the wait for its answer.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>

#include "ServiceRig.h"
#include "app/script/ViewDump.h"
#include "link/UpdateUpload.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/NavigationController.h"
#include "service/FileBrowser.h"
#include "service/TableViewController.h"

namespace {

using service::ServiecesView;

// HOME points at a folder of the test's own while the app runs; set before the app starts.
struct OwnHome {
    OwnHome() { qputenv("HOME", QFile::encodeName(home.path())); }
    ~OwnHome() { qputenv("HOME", oldHome); }
    QByteArray oldHome = qgetenv("HOME");
    QTemporaryDir home;
};

struct ChooserRig : OwnHome, servicetest::ServiceRig {
    QByteArray write(const QString& name, qint64 size) {
        QByteArray bytes(size, '\0');
        for (qint64 i = 0; i < size; ++i) bytes[i] = char(i * 13 + 5);
        QDir(home.path()).mkpath(QFileInfo(name).path());
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return bytes;
    }
    tk::NavigationController& navigation() { return *world->app().navigationController(); }
    auto* chooser() {
        return dynamic_cast<service::TableViewController*>(navigation().topViewController());
    }
    QStringList rows() { return chooser() ? chooser()->contentsDirectory() : QStringList(); }
    void pick(const QString& name) {
        const int row = int(rows().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        chooser()->tableView()->selectRow(row);
        settle();
    }
    void openService(bool answerLinkCheck) {
        tap(serviceButton());
        if (!answerLinkCheck) return;
        tap(control(ServiecesView::kCheckTag));
        chairSays(servicetest::kLinkCheckAnswer);
        advance(1.0);  // the poll timer is paused by the answer
    }
    void choose(const QString& name) {
        tap(control(ServiecesView::kChooseFileTag));
        pick(name);
    }
    QString fileName() {
        return tk::viewWithTag<tk::Label>(panel(), ServiecesView::kFileNameTag)->text();
    }
};

TEST(FileChooser, WalksIntoFoldersAndBackAndAPickAfterTheLinkCheckUnlocksTheUpdate) {
    ChooserRig rig;
    rig.write("b.bin", 4);
    rig.write(".hidden", 1);
    rig.write("a/fw.bin", 250);
    QDir(rig.home.path()).mkdir("empty");
    rig.openService(true);
    rig.tap(rig.control(ServiecesView::kChooseFileTag));
    EXPECT_EQ(rig.rows(), (QStringList{".hidden", "a", "b.bin", "empty"}));

    rig.pick("empty");
    EXPECT_EQ(rig.navigation().depth(), 3);
    EXPECT_EQ(rig.chooser()->tableView()->numberOfRows(), 0);
    // The process's own working directory never moved.
    EXPECT_NE(QDir::currentPath(), QDir::cleanPath(rig.home.path() + "/empty"));
    rig.navigation().popViewController(true);
    rig.settle();
    EXPECT_EQ(rig.rows().size(), 4);
    EXPECT_EQ(rig.root().fileManager().currentDirectoryPath(), QDir::cleanPath(rig.home.path()));

    rig.pick("a");
    // The titles and the list as script mode's dump shows them.
    const QJsonObject dump = script::dumpScreen(rig.world->app());
    EXPECT_EQ(dump["navigation"].toArray(), (QJsonArray{"", "/", "a"}));
    EXPECT_EQ(dump["list"].toObject()["header"].toString(), "Files");
    EXPECT_EQ(dump["list"].toObject()["rows"].toArray(), QJsonArray{"fw.bin"});
    rig.pick("fw.bin");
    EXPECT_TRUE(rig.log.contains("file length: 250"));
    EXPECT_EQ(rig.navigation().depth(), 1);
    EXPECT_EQ(rig.fileName(), "fw.bin");
    EXPECT_EQ(rig.controlPicture(ServiecesView::kUpdateTag), "service_update_on");
    EXPECT_TRUE(rig.control(ServiecesView::kUpdateTag)->isEnabled());
    rig.tap(rig.control(ServiecesView::kChooseFileTag));  // a second opening starts at home
    EXPECT_EQ(rig.rows().size(), 4);
}

// How files are cut into pieces is the link's test, and the wait for the chair's answer after
// the last piece (and a link lost on the way) script mode's update run; here, that the chosen
// file gets there, a piece the link refused, and a press without a link.
TEST(FileChooser, UntilTheLinkCheckAndForARefusedFileTheUpdateIsLockedThenTheFileReachesTheChair) {
    ChooserRig rig;
    const QByteArray file = rig.write("fw.bin", 250);
    rig.write("empty.bin", 0);
    rig.write("huge.bin", 0);
    QFile(rig.home.filePath("huge.bin")).resize(service::FileBrowser::kLargestUpdateFile + 1);
    QFile::link(rig.home.filePath("nowhere"), rig.home.filePath("dangling"));
    rig.openService(false);
    rig.choose("fw.bin");
    EXPECT_EQ(rig.fileName(), "");
    EXPECT_EQ(rig.controlPicture(ServiecesView::kUpdateTag), "service_update_disable");
    EXPECT_EQ(rig.navigation().depth(), 1);

    rig.tap(rig.control(ServiecesView::kCheckTag));
    rig.chairSays(servicetest::kLinkCheckAnswer);
    const std::pair<const char*, const char*> refusals[] = {{"empty.bin", "zh:hintFileEmpty"},
                                                            {"huge.bin", "zh:hintFileTooLarge"},
                                                            {"dangling", "zh:hintFileUnreadable"}};
    long refused = 0;  // each refusal is one log line and a hint
    for (const auto& [name, hint] : refusals) {
        rig.choose(name);
        const auto lines = rig.log.lines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const auto& l) { return l.find("\" refused: ") != l.npos; }),
                  ++refused)
            << name;
        EXPECT_EQ(rig.hint(), hint) << name;
        EXPECT_EQ(rig.fileName(), "") << name;
        EXPECT_FALSE(rig.control(ServiecesView::kUpdateTag)->isEnabled()) << name;
        EXPECT_EQ(rig.navigation().depth(), 1) << name;
    }

    rig.choose("fw.bin");
    rig.world->chair().clearWrites();
    rig.tap(rig.control(ServiecesView::kUpdateTag));
    chairlink::Bytes joined;
    for (const auto& write : rig.world->chair().writes()) {
        if (write.size() != 7) joined.insert(joined.end(), write.begin(), write.end());
    }
    EXPECT_EQ(joined, chairlink::Bytes(file.begin(), file.end()));
    // A piece the link refused ends it at once, never as "sent".
    rig.root().uploadProgressed(
        {.stage = chairlink::UploadProgress::Stage::Failed, .bytesSent = 204, .totalBytes = 250});
    EXPECT_EQ(rig.hint(), "zh:hintUpdateFailed");

    rig.advance(6.0);  // the first upload's wait is over
    rig.world->chair().setAdvertising(false);
    rig.world->chair().dropLink();
    rig.settle();
    rig.tap(rig.control(ServiecesView::kUpdateTag));
    rig.advance(4.9);
    EXPECT_EQ(rig.hint(), "zh:hint16");
    rig.advance(0.2);
    EXPECT_EQ(rig.hint(), "zh:hint17");
}

}  // namespace
