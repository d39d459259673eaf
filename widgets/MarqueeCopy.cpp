#include "widgets/MarqueeCopy.h"

#include <QImage>
#include <QPainter>
#include <QStyle>

namespace widgets {

MarqueeCopy::MarqueeCopy(QWidget* label) : QLabel(label) {
    setTextFormat(Qt::PlainText);  // texts are shown as they are, never as markup
    setWordWrap(false);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MarqueeCopy::setFadeMask(const std::optional<QLinearGradient>& mask) {
    mask_ = mask;
    update();
}

void MarqueeCopy::setBackgroundFill(const QColor& color) {
    background_ = color;
    update();
}

void MarqueeCopy::setShadow(const QColor& color, const QPointF& offset) {
    shadowColor_ = color;
    shadowOffset_ = offset;
    update();
}

void MarqueeCopy::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    QImage layer((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        if (background_.alpha() > 0) painter.fillRect(rect(), background_);
        painter.setFont(font());
        const QRect box = contentsRect();
        if (shadowColor_.alpha() > 0) {
            painter.setPen(shadowColor_);
            painter.drawText(QRectF(box).translated(shadowOffset_), alignment(), text());
        }
        style()->drawItemText(&painter, box, static_cast<int>(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
        if (mask_) {
            // The mask lies in the label's coordinates; this copy sits at pos() in the label.
            painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            painter.translate(-pos());
            painter.fillRect(QRect(pos(), size()), *mask_);
        }
    }
    QPainter(this).drawImage(0, 0, layer);
}

}  // namespace widgets
