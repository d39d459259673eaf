#include "main/toolkit/AlertView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"

namespace tk {

namespace {
constexpr int kBoxWidth = 270;
constexpr int kPadding = 16;
constexpr int kTitleHeight = 22;
constexpr int kButtonHeight = 44;
constexpr int kMessageLines = 6;
}  // namespace

AlertView* AlertView::show(QWidget* anyView, const QString& title, const QString& message,
                           const QString& buttonTitle) {
    if (!anyView) return nullptr;
    auto* alert = new AlertView(anyView->window(), title, message, buttonTitle);
    alert->QWidget::show();
    return alert;
}

AlertView* AlertView::visibleAlert(QWidget* anyView) {
    if (!anyView) return nullptr;
    const auto children = anyView->window()->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* alert = qobject_cast<AlertView*>(*it);
        if (alert && !alert->dismissed_) return alert;
    }
    return nullptr;
}

AlertView::AlertView(QWidget* window, const QString& title, const QString& message,
                     const QString& buttonTitle)
    : QWidget(window),
      title_(title),
      message_(message),
      buttonTitle_(buttonTitle),
      box_(new QWidget(this)),
      titleLabel_(new Label(box_)),
      messageLabel_(new Label(box_)),
      button_(new ImageButton(box_)) {
    titleLabel_->setText(title);
    titleLabel_->setTextFont(Fonts::boldSystem(17));
    titleLabel_->setTextAlignment(Qt::AlignHCenter);
    messageLabel_->setText(message);
    messageLabel_->setTextFont(Fonts::system(13));
    messageLabel_->setTextAlignment(Qt::AlignHCenter);
    messageLabel_->setNumberOfLines(0);
    messageLabel_->setLineBreakMode(LineBreakMode::WordWrap);
    button_->setTitle(buttonTitle);
    button_->setTitleFont(Fonts::boldSystem(17));
    button_->addAction(TouchUpInside, [this](ImageButton&) { pressButton(); });
    window->installEventFilter(this);
    setGeometry(window->rect());
    raise();
}

void AlertView::pressButton() {
    if (dismissed_) return;
    dismissed_ = true;
    hide();
    deleteLater();
}

bool AlertView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && !dismissed_) {
        if (event->type() == QEvent::ChildAdded) {
            raise();
        } else if (event->type() == QEvent::Resize) {
            setGeometry(parentWidget()->rect());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AlertView::resizeEvent(QResizeEvent*) {
    layoutBox();
}

void AlertView::layoutBox() {
    const int inner = kBoxWidth - 2 * kPadding;
    const int lineHeight = QFontMetrics(messageLabel_->textFont()).lineSpacing();
    messageLabel_->resize(inner, lineHeight * kMessageLines);
    const int messageHeight = std::max(1, int(messageLabel_->visibleLines().size())) * lineHeight;
    const int height = kPadding + kTitleHeight + 8 + messageHeight + kPadding + kButtonHeight;
    const int width = std::min(kBoxWidth, std::max(120, this->width() - 20));
    box_->setGeometry((this->width() - width) / 2, (this->height() - height) / 2, width, height);
    titleLabel_->setGeometry(kPadding, kPadding, width - 2 * kPadding, kTitleHeight);
    messageLabel_->setGeometry(kPadding, kPadding + kTitleHeight + 8, width - 2 * kPadding,
                               messageHeight);
    button_->setGeometry(0, height - kButtonHeight, width, kButtonHeight);
}

void AlertView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 100));
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(box_->geometry(), 12, 12);
    painter.fillPath(box, QColor(245, 245, 245));
    const int lineY = box_->geometry().bottom() - kButtonHeight;
    painter.setPen(QColor(200, 200, 200));
    painter.drawLine(box_->geometry().left(), lineY, box_->geometry().right(), lineY);
}

}  // namespace tk
