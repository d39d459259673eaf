#include "service/FileBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace service {

FileBrowser::FileBrowser(std::function<QString()> homeDirectory)
    : homeDirectory_(std::move(homeDirectory)), current_(QDir::currentPath()) {}

QString FileBrowser::directoryForNewChooser() {
    if (!firstLoadDone_) {
        firstLoadDone_ = true;
        returnHome();
    }
    return current_;
}

bool FileBrowser::changeCurrentDirectoryPath(const QString& path) {
    const QFileInfo target(absolute(path));
    if (!target.isDir() || !target.isExecutable()) return false;
    current_ = QDir::cleanPath(target.absoluteFilePath());
    return true;
}

QStringList FileBrowser::contentsOfDirectoryAtPath(const QString& path) const {
    const QDir directory(absolute(path));
    // Sorted so the list is the same on every run and machine.
    return directory.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

PickedFile FileBrowser::contentsAtPath(const QString& name) const {
    chairlink::UpdateFile file =
        chairlink::readUpdateFile(QFile::encodeName(absolute(name)).toStdString());
    if (!file.bytes) return {std::nullopt, file.refusal};
    return {QByteArray(reinterpret_cast<const char*>(file.bytes->data()),
                       qsizetype(file.bytes->size())),
            PickedFile::Refusal::None};
}

void FileBrowser::returnHome() {
    current_ = QDir::cleanPath(homeDirectory_());
}

QString FileBrowser::absolute(const QString& path) const {
    return QDir(current_).absoluteFilePath(path);
}

}  // namespace service
