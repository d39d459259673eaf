#include "main/toolkit/ImageButton.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "main/toolkit/Fonts.h"
#include "main/toolkit/PressedLook.h"
#include "main/toolkit/ViewAttributes.h"

namespace tk {

ImageButton::ImageButton(QWidget* parent)
    : QWidget(parent), titleColor_(0, 122, 255), titleFont_(Fonts::system(15)) {}

void ImageButton::setBackgroundImage(const Image& image) {
    background_ = image;
    update();
}

void ImageButton::setTitle(const QString& title) {
    title_ = title;
    update();
}

void ImageButton::setTitleColor(const QColor& color) {
    titleColor_ = color;
    update();
}

void ImageButton::setTitleFont(const QFont& font) {
    titleFont_ = font;
    update();
}

void ImageButton::addAction(unsigned events, Action action) {
    if (action) targets_.push_back({events, std::move(action)});
}

void ImageButton::removeAllActions() {
    targets_.clear();
}

void ImageButton::send(ControlEvent event) {
    // An action may remove this button or change its actions: work on a copy and stop
    // once the button is gone.
    const auto targets = targets_;
    update();  // every event changes the pressed look
    QPointer<ImageButton> alive(this);
    for (const auto& target : targets) {
        if (!alive) return;
        if (target.events & event) target.action(*this);
    }
}

void ImageButton::touchDown() {
    if (pressed_ || !takesTouches(this)) return;
    pressed_ = true;
    inside_ = true;
    send(TouchDown);
}

void ImageButton::moveOutside() {
    if (!pressed_ || !inside_) return;
    inside_ = false;
    send(TouchDragExit);
}

void ImageButton::moveInside() {
    if (pressed_) inside_ = true;
    update();
}

void ImageButton::touchUp(bool inside) {
    if (!pressed_) return;
    if (!inside) moveOutside();
    const bool upInside = inside_ && inside;
    pressed_ = false;
    inside_ = false;
    if (upInside) send(TouchUpInside);
}

void ImageButton::cancelTouch() {
    if (!pressed_) return;
    pressed_ = false;
    inside_ = false;
    send(TouchCancel);
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!background_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), background_.pixels());
    }
    if (pressed_ && inside_) paintPressedLook(painter, rect(), background_.pixels());
    if (!title_.isEmpty()) {
        painter.setFont(titleFont_);
        painter.setPen(titleColor_);
        painter.drawText(rect(), Qt::AlignCenter, title_);
    }
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return event->ignore();
    touchDown();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        moveInside();
    } else {
        moveOutside();
    }
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return event->ignore();
    touchUp(rect().contains(event->position().toPoint()));
}

bool ImageButton::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
        case QEvent::TouchCancel:
        case QEvent::UngrabMouse:
        case QEvent::EnabledChange:
        case QEvent::ParentChange:
            cancelTouch();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

}  // namespace tk
