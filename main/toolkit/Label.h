#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>

#include "main/toolkit/TextLines.h"

namespace tk {

// A text label: font, colour, horizontal alignment, number of lines (0 = as many as fit),
// line-break mode, optional shadow; the text block is centred vertically. It takes no
// touches unless told to, like its platform model. Main thread only.
class Label : public QWidget {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setTextFont(const QFont& font);
    const QFont& textFont() const { return font_; }
    void setTextColor(const QColor& color);
    const QColor& textColor() const { return textColor_; }
    // An invalid colour (the default) leaves the background clear.
    void setBackgroundColor(const QColor& color);
    const QColor& backgroundColor() const { return backgroundColor_; }
    // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    void setTextAlignment(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const { return alignment_; }
    void setNumberOfLines(int lines);
    int numberOfLines() const { return numberOfLines_; }
    void setLineBreakMode(LineBreakMode mode);
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setShadow(const QColor& color, QPoint offset);
    // With fitting on, a text that would be cut off is drawn in a smaller font instead, down
    // to `minimumScaleFactor` of the label's font size.
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
    void setMinimumScaleFactor(double factor);
    // Fitting draws the text no larger than this (0, the default: the font's own size), so
    // captions of one row can share the size the tightest of them needs.
    void setLargestFittedSize(double points);

    // The font the text is drawn in: textFont(), or a smaller one when fitting needs it.
    QFont drawnFont() const;
    // Whether the drawn lines hold the whole text within the frame: nothing truncated, left
    // over or outside it.
    bool showsWholeText() const;

    // The lines as currently drawn.
    QStringList visibleLines() const;
    // Where the drawn lines lie, in the label's coordinates (empty without text).
    QRect textRect() const;
    // Width of the text on one unlimited line, rounded up to a whole point.
    int textWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
    QColor textColor_{Qt::black};
    QColor backgroundColor_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    int numberOfLines_ = 1;
    LineBreakMode lineBreakMode_ = LineBreakMode::TailTruncation;
    QColor shadowColor_;
    QPoint shadowOffset_{0, -1};
    bool adjustsFontSize_ = false;
    double minimumScaleFactor_ = 0.0;
    double largestFittedSize_ = 0.0;

    bool fitsWith(const QFont& font) const;
    // Each drawn line with its box and alignment flags, top to bottom.
    void forEachLine(const std::function<void(const QRect&, int, const QString&)>& draw) const;
    // The last fitted font and what it was fitted for.
    mutable QFont fitted_;
    mutable QString fittedFor_;
    mutable QSize fittedIn_;
    mutable bool fittedValid_ = false;
};

}  // namespace tk
