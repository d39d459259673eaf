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
    const QFileInfo info(absolute(name));
    if (!info.isFile() || !info.isReadable())
        return {std::nullopt, PickedFile::Refusal::Unreadable};
    if (info.size() > kLargestUpdateFile) return {std::nullopt, PickedFile::Refusal::TooLarge};
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, PickedFile::Refusal::Unreadable};
    // One byte more than allowed tells a file that grew since it was measured.
    QByteArray bytes = file.read(kLargestUpdateFile + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, PickedFile::Refusal::Unreadable};
    if (bytes.size() > kLargestUpdateFile) return {std::nullopt, PickedFile::Refusal::TooLarge};
    if (bytes.isEmpty()) return {std::nullopt, PickedFile::Refusal::Empty};
    return {std::move(bytes), PickedFile::Refusal::None};
}

void FileBrowser::returnHome() {
    current_ = QDir::cleanPath(homeDirectory_());
}

QString FileBrowser::absolute(const QString& path) const {
    return QDir(current_).absoluteFilePath(path);
}

}  // namespace service
