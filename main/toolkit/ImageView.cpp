#include "main/toolkit/ImageView.h"

#include <QPainter>

#include "main/toolkit/ViewAttributes.h"

namespace tk {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const Image& image, QWidget* parent) : ImageView(parent) {
    setImage(image);
}

void ImageView::setImage(const Image& image) {
    image_ = image;
    update();
}

void ImageView::setUserInteractionEnabled(bool enabled) {
    tk::setUserInteractionEnabled(this, enabled);
}

bool ImageView::isUserInteractionEnabled() const {
    return tk::isUserInteractionEnabled(this);
}

void ImageView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_.pixels());
}

}  // namespace tk
