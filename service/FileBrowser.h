#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "link/UpdateFile.h"
#include "link/UpdateUpload.h"

namespace service {

// What picking a file hands over: its bytes, or why there are none.
struct PickedFile {
    using Refusal = chairlink::UpdateFile::Refusal;
    std::optional<QByteArray> data;
    Refusal refusal = Refusal::Unreadable;
};

// The update file chooser's file manager: one current directory that every chooser of a
// browsing shares and resolves names against. It is the browser's own, so the process's
// working directory never moves. Main thread only.
class FileBrowser {
public:
    // An update file for the chair is small; nothing larger is read into memory.
    static constexpr qint64 kLargestUpdateFile = qint64(chairlink::kLargestUpdateFile);

    explicit FileBrowser(std::function<QString()> homeDirectory);

    // The directory a chooser that is loading lists: the home directory for the first one
    // in the life of the browser (which also moves there), the current directory after.
    QString directoryForNewChooser();
    const QString& currentDirectoryPath() const { return current_; }
    // Moves to `path` (relative to the current directory) if it is a directory that can be
    // entered; false otherwise.
    bool changeCurrentDirectoryPath(const QString& path);
    // Names in the directory, hidden ones included, sorted by name; empty when unreadable.
    QStringList contentsOfDirectoryAtPath(const QString& path) const;
    // Reads `name` (relative to the current directory) whole, unless it is empty, unreadable
    // or larger than kLargestUpdateFile. A file that grows while it is read is refused too.
    PickedFile contentsAtPath(const QString& name) const;
    // Back to the home directory, as after every pick.
    void returnHome();

private:
    QString absolute(const QString& path) const;

    std::function<QString()> homeDirectory_;
    QString current_;
    bool firstLoadDone_ = false;
};

}  // namespace service
