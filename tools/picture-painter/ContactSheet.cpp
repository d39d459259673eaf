#include "ContactSheet.h"

#include <QFont>
#include <QPainter>

namespace {

const QColor kSheet(0x08, 0x10, 0x18);
const QColor kCell(0x10, 0x1C, 0x27);
const QColor kCaption(0xC9, 0xD8, 0xE3);

}  // namespace

QImage composeContactSheet(const std::vector<std::pair<QString, QImage>>& pictures, int columns,
                           int cellWidth) {
    const int gap = cellWidth / 18;
    const int thumb = cellWidth - 2 * gap;
    const int captionHeight = std::max(14, cellWidth / 8);
    const int cellHeight = thumb + captionHeight + 2 * gap;
    const int rows = (int(pictures.size()) + columns - 1) / columns;
    QImage sheet(columns * cellWidth + gap, rows * cellHeight + gap, QImage::Format_RGB32);
    sheet.fill(kSheet);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(9, captionHeight * 3 / 4));
    painter.setFont(font);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const auto& [name, image] = pictures[i];
        const int column = int(i) % columns;
        const int row = int(i) / columns;
        const QRect cell(column * cellWidth + gap, row * cellHeight + gap, cellWidth - gap,
                         cellHeight - gap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kCell);
        painter.drawRoundedRect(cell, gap, gap);
        const QSize fitted = image.size().scaled(thumb - gap, thumb - gap, Qt::KeepAspectRatio);
        const QRect target(cell.left() + (cell.width() - fitted.width()) / 2,
                           cell.top() + gap / 2 + (thumb - fitted.height()) / 2, fitted.width(),
                           fitted.height());
        painter.drawImage(target, image);
        painter.setPen(kCaption);
        const QRect caption(cell.left(), cell.top() + thumb, cell.width(), captionHeight + gap);
        painter.drawText(caption, Qt::AlignCenter,
                         painter.fontMetrics().elidedText(name, Qt::ElideMiddle, cell.width() - 4));
    }
    painter.end();
    return sheet;
}
