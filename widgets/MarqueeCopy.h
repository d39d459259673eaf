#pragma once

#include <optional>

#include <QColor>
#include <QLabel>
#include <QLinearGradient>
#include <QPointF>

namespace widgets {

// One copy of a marquee label's text: a one-line plain-text label that paints its own
// background and shadow and fades all of it with the label's mask. The mask is given in the
// label's coordinates and follows the copy as it moves. Each copy masks itself because Qt
// repaints only the rectangles a move touched: a mask over the whole label would be laid
// again and again over its own half-transparent edges.
class MarqueeCopy : public QLabel {
    Q_OBJECT
public:
    explicit MarqueeCopy(QWidget* label);

    void setFadeMask(const std::optional<QLinearGradient>& mask);
    const std::optional<QLinearGradient>& fadeMask() const { return mask_; }

    // Transparent colours draw nothing.
    void setBackgroundFill(const QColor& color);
    void setShadow(const QColor& color, const QPointF& offset);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QLinearGradient> mask_;
    QColor background_ = Qt::transparent;
    QColor shadowColor_ = Qt::transparent;
    QPointF shadowOffset_;
};

}  // namespace widgets
