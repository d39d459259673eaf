#include "pictures/Catalog.h"

#include <QPainter>

namespace pictures {

Catalog allPictures() {
    Catalog catalog;
    addMainScreenPictures(catalog);
    addBackgroundPictures(catalog);
    addAutoPictures(catalog);
    addManualPictures(catalog);
    addAirAndOtherPictures(catalog);
    addAdjustPictures(catalog);
    addInfoPictures(catalog);
    addServicePictures(catalog);
    addSettingPictures(catalog);
    return catalog;
}

const Picture* findPicture(const Catalog& catalog, const QString& name) {
    for (const Picture& picture : catalog) {
        if (picture.name == name) return &picture;
    }
    return nullptr;
}

QImage renderPicture(const Picture& picture) {
    QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.paint(painter, QSizeF(picture.size));
    painter.end();
    return image;
}

}  // namespace pictures
