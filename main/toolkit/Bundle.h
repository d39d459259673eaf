#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

#include "main/toolkit/Image.h"
#include "main/toolkit/PropertyList.h"

namespace tk {

// The application's resources: files "<dir>/<name>.<type>" of one directory, by default
// "<application dir>/resources". A missing or unreadable resource gives nothing, never a
// failure. Main thread only.
class Bundle {
public:
    static QString defaultDirectory();

    explicit Bundle(QString directory);

    // The file's path when it exists. Names that would leave the directory give nothing.
    std::optional<QString> pathForResource(const QString& name, const QString& type) const;

    // The picture "<name>.png"; loaded once, then served from the cache. Always carries
    // the name; null when the file is missing or not a picture.
    Image image(const QString& name);

    // The string entries of the XML property list "<name>.<type>" (read afresh each time);
    // nothing when the file is missing or unreadable.
    std::optional<StringDictionary> dictionary(const QString& name,
                                               const QString& type = "plist") const;

    // Views draw pictures stretched into their frames, and no view outgrows the window, so
    // pixels beyond the window's own are never shown: pictures loaded after this are scaled
    // down to at most that many device pixels in each direction. Without it, full size.
    void fitPicturesToWindow(QSize windowPoints);

    const QString& directory() const { return directory_; }
    // The names of every picture in the bundle ("<name>.png"), sorted.
    QStringList pictureNames() const;

private:
    QString directory_;
    QHash<QString, QImage> cache_;
    QSize largestPicture_;  // device pixels; invalid: no limit
};

}  // namespace tk
