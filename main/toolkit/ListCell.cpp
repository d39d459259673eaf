#include "main/toolkit/ListCell.h"

#include <QPainter>

#include "main/toolkit/Fonts.h"
#include "main/toolkit/Label.h"

namespace tk {

namespace {
constexpr int kInset = 15;
constexpr int kAccessoryWidth = 30;
}  // namespace

ListCell::ListCell(const QString& reuseIdentifier, QWidget* parent)
    : QWidget(parent), reuseIdentifier_(reuseIdentifier), textLabel_(new Label(this)) {
    textLabel_->setTextFont(Fonts::boldSystem(18));
    // Taps go to the list, which knows the row.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ListCell::setContentBackgroundColor(const QColor& color) {
    contentBackground_ = color;
    update();
}

void ListCell::setAccessory(Accessory accessory) {
    accessory_ = accessory;
    resizeEvent(nullptr);
    update();
}

void ListCell::setSelected(bool selected) {
    selected_ = selected;
    update();
}

void ListCell::resizeEvent(QResizeEvent*) {
    const int right = accessory_ == Accessory::None ? kInset : kAccessoryWidth;
    textLabel_->setGeometry(kInset, 0, std::max(0, width() - kInset - right), height());
}

void ListCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (selected_) {
        painter.fillRect(rect(), QColor(217, 217, 217));
    } else if (contentBackground_.isValid()) {
        painter.fillRect(rect(), contentBackground_);
    }
    if (accessory_ == Accessory::DisclosureIndicator) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(199, 199, 204), 2));
        const int x = width() - 18;
        const int y = height() / 2;
        painter.drawLine(x, y - 5, x + 5, y);
        painter.drawLine(x + 5, y, x, y + 5);
    }
}

}  // namespace tk
