#include "main/toolkit/Label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>

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
    fittedValid_ = false;
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
    fittedValid_ = false;
    update();
}

void Label::setLineBreakMode(LineBreakMode mode) {
    lineBreakMode_ = mode;
    fittedValid_ = false;
    update();
}

void Label::setShadow(const QColor& color, QPoint offset) {
    shadowColor_ = color;
    shadowOffset_ = offset;
    update();
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts) {
    adjustsFontSize_ = adjusts;
    fittedValid_ = false;
    update();
}

void Label::setMinimumScaleFactor(double factor) {
    minimumScaleFactor_ = std::clamp(factor, 0.0, 1.0);
    fittedValid_ = false;
    update();
}

void Label::setLargestFittedSize(double points) {
    largestFittedSize_ = std::max(0.0, points);
    fittedValid_ = false;
    update();
}

namespace {
QString withoutSpace(QString text) {
    text.remove(QRegularExpression("\\s"));
    return text;
}

QStringList words(const QString& text) {
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

// Every character shown; and where the text is written in words, no word split over lines.
bool holdsWholeText(const QStringList& lines, const QString& text) {
    if (withoutSpace(lines.join(QString())) != withoutSpace(text)) return false;
    static const QRegularExpression latin("[A-Za-z]{2}");
    return !text.contains(latin) || words(lines.join(' ')) == words(text);
}
}  // namespace

bool Label::fitsWith(const QFont& font) const {
    const QStringList lines =
        TextLines::layout(text_, font, width(), height(), numberOfLines_, lineBreakMode_);
    if (!holdsWholeText(lines, text_)) return false;
    const QFontMetricsF metrics(font);
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > width() + 0.5) return false;
    }
    // A line or two may reach into the rounding of the frame, not beyond it.
    return QFontMetrics(font).height() + metrics.lineSpacing() * double(lines.size() - 1) <=
           height() + 2.0;
}

QFont Label::drawnFont() const {
    if (!adjustsFontSize_ || text_.isEmpty()) return font_;
    if (fittedValid_ && fittedFor_ == text_ && fittedIn_ == size() &&
        fitted_.pointSizeF() <= font_.pointSizeF()) {
        return fitted_;
    }
    const double points = font_.pointSizeF() > 0 ? font_.pointSizeF() : font_.pixelSize();
    const double smallest = std::max(1.0, points * minimumScaleFactor_);
    const double largest =
        largestFittedSize_ > 0 ? std::max(smallest, std::min(points, largestFittedSize_)) : points;
    QFont font = font_;
    for (double s = largest; s >= smallest; s -= 0.5) {
        font.setPointSizeF(s);
        if (fitsWith(font)) break;
    }
    fitted_ = font;
    fittedFor_ = text_;
    fittedIn_ = size();
    fittedValid_ = true;
    return fitted_;
}

bool Label::showsWholeText() const {
    return text_.isEmpty() || fitsWith(drawnFont());
}

QStringList Label::visibleLines() const {
    return TextLines::layout(text_, drawnFont(), width(), height(), numberOfLines_, lineBreakMode_);
}

int Label::textWidth() const {
    return static_cast<int>(
        std::ceil(QFontMetricsF(font_).horizontalAdvance(QString(text_).replace('\n', ' '))));
}

QRect Label::textRect() const {
    QRect united;
    forEachLine([&](const QRect& box, int flags, const QString& line) {
        united |= QFontMetrics(drawnFont()).boundingRect(box, flags, line);
    });
    return united;
}

void Label::forEachLine(const std::function<void(const QRect&, int, const QString&)>& draw) const {
    const QStringList lines = visibleLines();
    if (lines.isEmpty()) return;
    const QFontMetrics metrics(drawnFont());
    const int lineHeight = metrics.lineSpacing();
    int y = (height() - lineHeight * int(lines.size())) / 2;
    for (const QString& line : lines) {
        // Text wider than the label keeps its start in view, whatever the alignment.
        const bool overlong = metrics.horizontalAdvance(line) > width();
        draw(QRect(0, y, width(), lineHeight),
             (overlong ? Qt::AlignLeft : int(alignment_)) | Qt::AlignVCenter, line);
        y += lineHeight;
    }
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (backgroundColor_.isValid()) painter.fillRect(rect(), backgroundColor_);
    painter.setFont(drawnFont());
    forEachLine([&](const QRect& box, int flags, const QString& line) {
        if (shadowColor_.isValid()) {
            painter.setPen(shadowColor_);
            painter.drawText(box.translated(shadowOffset_), flags, line);
        }
        painter.setPen(textColor_);
        painter.drawText(box, flags, line);
    });
}

}  // namespace tk
