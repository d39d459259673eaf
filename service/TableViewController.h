#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "main/toolkit/ListViewSource.h"
#include "main/toolkit/ViewController.h"
#include "service/FileBrowser.h"
#include "service/FileSelectedDelegate.h"

namespace tk {
class ListView;
}

namespace service {

// One folder of the update file chooser, on the navigation stack: a row per entry under the
// header "Files". A folder's row pushes a chooser for it; a file's row hands the file to the
// receiver and goes back to the main screen. Main thread only.
class TableViewController : public tk::ViewController, public tk::ListViewSource {
public:
    static constexpr const char* kCellIdentifier = "ContentsCell";
    static constexpr const char* kHeader = "Files";

    TableViewController(std::shared_ptr<FileBrowser> fm, FileSelectedDelegate* delegate);

    // The receiver must outlive the chooser; nullptr drops picks.
    void setDelegate(FileSelectedDelegate* delegate) { fileSelectedDelegate_ = delegate; }
    FileSelectedDelegate* fileSelectedDelegate() const { return fileSelectedDelegate_; }
    const std::shared_ptr<FileBrowser>& fm() const { return fm_; }
    const QString& previousPath() const { return previousPath_; }
    bool isPoped() const { return isPoped_; }
    const QStringList& contentsDirectory() const { return contentsDirectory_; }
    tk::ListView* tableView() const { return tableView_; }

    // tk::ListViewSource
    int numberOfRows(tk::ListView& list) override;
    tk::ListCell* cellForRow(tk::ListView& list, int row) override;
    QString titleForHeader(tk::ListView& list) override;
    void didSelectRow(tk::ListView& list, int row) override;

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void enterFolder(const QString& name, const QString& from);
    void pickFile(const QString& name);

    std::shared_ptr<FileBrowser> fm_;
    FileSelectedDelegate* fileSelectedDelegate_;
    QStringList contentsDirectory_;
    QString previousPath_;
    bool isPoped_ = false;
    tk::ListView* tableView_ = nullptr;  // the view; owned by the screen
};

}  // namespace service
