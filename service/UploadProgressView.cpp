#include "service/UploadProgressView.h"

#include <QPainter>

#include "main/toolkit/Fonts.h"

namespace service {

namespace {
constexpr int kBarHeight = 3;
const QColor kTrack(0, 80, 80);
const QColor kFill(0, 255, 255);  // the panel's caption colour
}  // namespace

UploadProgressView::UploadProgressView(const QRect& frame, double fontSize, QWidget* parent)
    : QWidget(parent), fontSize_(fontSize) {
    setGeometry(frame);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void UploadProgressView::setProgress(std::size_t bytesSent, std::size_t totalBytes) {
    bytesSent_ = std::min(bytesSent, totalBytes);
    totalBytes_ = totalBytes;
    show();
    update();
}

int UploadProgressView::percent() const {
    return totalBytes_ == 0 ? 100 : static_cast<int>(bytesSent_ * 100 / totalBytes_);
}

QString UploadProgressView::text() const {
    return QString("%1 % \u00b7 %2 / %3 B").arg(percent()).arg(bytesSent_).arg(totalBytes_);
}

void UploadProgressView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect track(0, 0, width(), kBarHeight);
    painter.fillRect(track, kTrack);
    painter.fillRect(QRect(0, 0, width() * percent() / 100, kBarHeight), kFill);
    painter.setPen(kFill);
    painter.setFont(tk::Fonts::system(fontSize_));
    painter.drawText(rect().adjusted(0, kBarHeight + 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     text());
}

}  // namespace service
