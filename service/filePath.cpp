#include "service/filePath.h"

#include <QDir>

namespace service {

QString filePath::homeDirectory() {
    return QDir::homePath();
}

QString filePath::filePathForDocuments() {
    return QString("%1/Documents").arg(homeDirectory());
}

QString filePath::filePathFortmp() {
    return QString("%1/tmp").arg(homeDirectory());
}

QString filePath::filePathForLibary() {
    return QString("%1/Library").arg(homeDirectory());
}

}  // namespace service
