#include "service/TableViewController.h"

#include "base/Log.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/NavigationController.h"

namespace service {

TableViewController::TableViewController(std::shared_ptr<FileBrowser> fm,
                                         FileSelectedDelegate* delegate)
    : fm_(std::move(fm)), fileSelectedDelegate_(delegate) {}

QWidget* TableViewController::loadView() {
    tableView_ = new tk::ListView();
    tableView_->setSource(this);
    return tableView_;
}

void TableViewController::viewDidLoad() {
    contentsDirectory_ = fm_->contentsOfDirectoryAtPath(fm_->directoryForNewChooser());
    tableView_->reloadData();
}

void TableViewController::viewWillAppear(bool) {
    // Back from a sub-folder: the shared directory follows the screen on top again.
    if (isPoped_) {
        fm_->changeCurrentDirectoryPath(previousPath_);
        isPoped_ = false;
    }
}

int TableViewController::numberOfRows(tk::ListView&) {
    return int(contentsDirectory_.size());
}

tk::ListCell* TableViewController::cellForRow(tk::ListView& list, int row) {
    tk::ListCell* cell = list.dequeueReusableCell(kCellIdentifier);
    if (!cell) cell = new tk::ListCell(kCellIdentifier);
    cell->textLabel()->setText(contentsDirectory_.value(row));
    cell->setAccessory(tk::ListCell::Accessory::DisclosureIndicator);
    return cell;
}

QString TableViewController::titleForHeader(tk::ListView&) {
    return kHeader;
}

void TableViewController::didSelectRow(tk::ListView& list, int row) {
    if (row < 0 || row >= contentsDirectory_.size()) return;
    const QString name = contentsDirectory_.at(row);
    const QString from = fm_->currentDirectoryPath();
    if (fm_->changeCurrentDirectoryPath(name)) {
        enterFolder(name, from);
    } else {
        pickFile(name);
    }
    list.deselectRow(row);
}

void TableViewController::enterFolder(const QString& name, const QString& from) {
    auto chooser = std::make_shared<TableViewController>(fm_, fileSelectedDelegate_);
    chooser->setTitle(name);
    previousPath_ = from;
    isPoped_ = true;
    if (auto* navigation = navigationController()) navigation->pushViewController(chooser, true);
}

void TableViewController::pickFile(const QString& name) {
    const PickedFile file = fm_->contentsAtPath(name);
    base::log(base::format("file length: %lu",
                           static_cast<unsigned long>(file.data ? file.data->size() : 0)));
    if (fileSelectedDelegate_) fileSelectedDelegate_->fileSelected(name, file);
    if (auto* navigation = navigationController()) navigation->popToRootViewController(true);
    fm_->returnHome();
}

}  // namespace service
