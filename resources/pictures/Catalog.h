#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;

namespace pictures {

// One picture the screens load by name: its pixel size and the code that draws it.
struct Picture {
    QString name;
    QSize size;
    std::function<void(QPainter&, const QSizeF&)> paint;
};

using Catalog = std::vector<Picture>;

// Every picture of the app, each group in the order the screens meet them.
Catalog allPictures();
const Picture* findPicture(const Catalog& catalog, const QString& name);
// Draws the picture on a transparent image of its size.
QImage renderPicture(const Picture& picture);

void addMainScreenPictures(Catalog& catalog);
void addBackgroundPictures(Catalog& catalog);
void addAutoPictures(Catalog& catalog);
void addManualPictures(Catalog& catalog);
void addAirAndOtherPictures(Catalog& catalog);
void addAdjustPictures(Catalog& catalog);
void addInfoPictures(Catalog& catalog);
void addServicePictures(Catalog& catalog);
void addSettingPictures(Catalog& catalog);

}  // namespace pictures
