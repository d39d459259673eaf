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

void ImageView::setKeepsAspect(bool keeps) {
    keepsAspect_ = keeps;
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
    const QImage& pixels = image_.pixels();
    if (!keepsAspect_) return painter.drawImage(rect(), pixels);
    QRect fitted(QPoint(), pixels.size().scaled(size(), Qt::KeepAspectRatio));
    fitted.moveCenter(rect().center());
    painter.fillRect(rect(), pixels.pixelColor(0, 0));
    painter.drawImage(fitted, pixels);
}

}  // namespace tk
