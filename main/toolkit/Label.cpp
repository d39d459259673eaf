#include "main/toolkit/Label.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "main/toolkit/Fonts.h"
#include "main/toolkit/ViewAttributes.h"

namespace tk {

Label::Label(QWidget* parent) : QWidget(parent), font_(Fonts::system(17)) {
    setUserInteractionEnabled(this, false);
}

void Label::setText(const QString& text) {
    text_ = text;
    update();
}

void Label::setTextFont(const QFont& font) {
    font_ = font;
    update();
}

void Label::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void Label::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    update();
}

void Label::setTextAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void Label::setNumberOfLines(int lines) {
    numberOfLines_ = std::max(0, lines);
    update();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    lineBreakMode_ = mode;
    update();
}

void Label::setShadow(const QColor& color, QPoint offset) {
    shadowColor_ = color;
    shadowOffset_ = offset;
    update();
}

QStringList Label::visibleLines() const {
    return TextLines::layout(text_, font_, width(), height(), numberOfLines_, lineBreakMode_);
}

int Label::textWidth() const {
    return static_cast<int>(
        std::ceil(QFontMetricsF(font_).horizontalAdvance(QString(text_).replace('\n', ' '))));
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (backgroundColor_.isValid()) painter.fillRect(rect(), backgroundColor_);
    const QStringList lines = visibleLines();
    if (lines.isEmpty()) return;
    painter.setFont(font_);
    const int lineHeight = QFontMetrics(font_).lineSpacing();
    int y = (height() - lineHeight * int(lines.size())) / 2;
    for (const QString& line : lines) {
        const QRect box(0, y, width(), lineHeight);
        // Text wider than the label keeps its start in view, whatever the alignment.
        const bool overlong = QFontMetrics(font_).horizontalAdvance(line) > width();
        const int flags = (overlong ? Qt::AlignLeft : int(alignment_)) | Qt::AlignVCenter;
        if (shadowColor_.isValid()) {
            painter.setPen(shadowColor_);
            painter.drawText(box.translated(shadowOffset_), flags, line);
        }
        painter.setPen(textColor_);
        painter.drawText(box, flags, line);
        y += lineHeight;
    }
}

}  // namespace tk
