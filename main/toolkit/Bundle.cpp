#include "main/toolkit/Bundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "base/Log.h"

namespace tk {

namespace {
bool isPlainName(const QString& part) {
    return !part.isEmpty() && !part.contains('/') && !part.contains('\\') && !part.startsWith('.');
}
}  // namespace

QString Bundle::defaultDirectory() {
    // Beside the program in a build; under share/ once installed.
    const QString beside = QCoreApplication::applicationDirPath() + "/resources";
    if (QFileInfo(beside).isDir()) return beside;
    return QCoreApplication::applicationDirPath() + "/../share/massage-remote/resources";
}

Bundle::Bundle(QString directory) : directory_(std::move(directory)) {}

std::optional<QString> Bundle::pathForResource(const QString& name, const QString& type) const {
    if (!isPlainName(name) || (!type.isEmpty() && !isPlainName(type))) return std::nullopt;
    const QString path = directory_ + "/" + name + (type.isEmpty() ? "" : "." + type);
    const QFileInfo info(path);
    if (!info.isFile()) return std::nullopt;
    return path;
}

Image Bundle::image(const QString& name) {
    if (auto cached = cache_.constFind(name); cached != cache_.constEnd()) {
        return Image(name, *cached);
    }
    const auto path = pathForResource(name, "png");
    if (!path) return Image(name, QImage());
    QImage pixels(*path);
    if (pixels.isNull()) {
        base::log("Bundle: " + path->toStdString() + " is not a readable picture");
        return Image(name, QImage());
    }
    if (largestPicture_.isValid()) {
        // Kept in shape, so a view that keeps a picture's aspect sees the true one.
        if (pixels.width() > largestPicture_.width() ||
            pixels.height() > largestPicture_.height()) {
            pixels = pixels.scaled(largestPicture_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    cache_.insert(name, pixels);
    return Image(name, pixels);
}

void Bundle::fitPicturesToWindow(QSize windowPoints) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    largestPicture_ = (QSizeF(windowPoints) * ratio).toSize();
}

std::optional<StringDictionary> Bundle::dictionary(const QString& name, const QString& type) const {
    const auto path = pathForResource(name, type);
    if (!path) return std::nullopt;
    return readPropertyListDictionary(*path);
}

QStringList Bundle::pictureNames() const {
    QStringList names;
    for (const QFileInfo& file : QDir(directory_).entryInfoList({"*.png"}, QDir::Files, QDir::Name))
        names << file.completeBaseName();
    return names;
}

}  // namespace tk
