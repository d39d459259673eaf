// The update file chooser on the main screen's navigation stack, and taking the picked file.
#include "base/Log.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/NavigationController.h"
#include "service/FileBrowser.h"
#include "service/ServiecesView.h"
#include "service/TableViewController.h"
#include "service/filePath.h"

namespace mainscreen {

namespace {
constexpr std::int64_t kFileEmptyHint = 21;
constexpr std::int64_t kFileUnreadableHint = 22;
constexpr std::int64_t kFileTooLargeHint = 23;

std::int64_t hintForRefusal(service::PickedFile::Refusal refusal) {
    switch (refusal) {
        case service::PickedFile::Refusal::Empty:
            return kFileEmptyHint;
        case service::PickedFile::Refusal::TooLarge:
            return kFileTooLargeHint;
        default:
            return kFileUnreadableHint;
    }
}

const char* describe(service::PickedFile::Refusal refusal) {
    switch (refusal) {
        case service::PickedFile::Refusal::Empty:
            return "it is empty";
        case service::PickedFile::Refusal::TooLarge:
            return "it is larger than 16 MiB";
        default:
            return "it cannot be read";
    }
}
}  // namespace

service::FileBrowser& RootViewController::fileManager() {
    if (!fileManager_) {
        fileManager_ = std::make_shared<service::FileBrowser>(&service::filePath::homeDirectory);
    }
    return *fileManager_;
}

void RootViewController::openFileChooser() {
    auto* navigation = navigationController();
    if (!navigation) return;
    fileManager();
    auto chooser = std::make_shared<service::TableViewController>(fileManager_, this);
    chooser->setTitle("/");
    navigation->pushViewController(chooser, true);
    navigation->setNavigationBarHidden(false, true);
}

void RootViewController::fileSelected(const QString& name, const service::PickedFile& file) {
    auto* panel = viewWithTag<service::ServiecesView>(kServicePanelTag);
    // Without an answered link check a pick is dropped without a word.
    if (!panel || panel->checkState() != 1) return;
    if (!file.data) {
        base::log(base::format("update file \"%s\" refused: %s", name.toUtf8().constData(),
                               describe(file.refusal)));
        changeHintLabel(hintForRefusal(file.refusal), languageFlag_);
        return;
    }
    panel->setChosenFile(name, *file.data);
}

}  // namespace mainscreen
