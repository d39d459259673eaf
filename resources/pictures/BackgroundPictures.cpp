// Full-screen and panel backgrounds: the start-up logo, the main screen and the four menu
// panels. They are stretched to phone and tablet frames, so nothing in them is round.
#include <QPainter>
#include <QRadialGradient>

#include "pictures/Catalog.h"
#include "pictures/Glyphs.h"
#include "pictures/Palette.h"
#include "pictures/Surfaces.h"

namespace pictures {

namespace p = palette;

namespace {

void paintNight(QPainter& painter, const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    QRadialGradient sky(QPointF(0.45 * w, 0.42 * h), 0.75 * w);
    sky.setColorAt(0.0, QColor(0x17, 0x2A, 0x3C));
    sky.setColorAt(0.55, p::kDeep);
    sky.setColorAt(1.0, p::kNight);
    painter.fillRect(QRectF(QPointF(0, 0), size), sky);
    // A faint technical grid.
    painter.setPen(QPen(p::withAlpha(p::kCyan, 0.035), 1.5));
    const double step = h / 21.0;
    for (double x = step; x < w; x += step) painter.drawLine(QPointF(x, 0), QPointF(x, h));
    for (double y = step; y < h; y += step) painter.drawLine(QPointF(0, y), QPointF(w, y));
}

void paintMainBackground(QPainter& painter, const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    paintNight(painter, size);
    painter.setRenderHint(QPainter::Antialiasing);
    // Under the title line.
    paintHairline(painter, 0.2 * w, 0.8 * w, 0.135 * h, 0.004 * h);
    // The rail of the quick keys along the right edge.
    const QRectF rail(0.872 * w, 0.12 * h, 0.2 * w, 0.75 * h);
    painter.setPen(QPen(p::withAlpha(p::kEdge, 0.8), 0.003 * h));
    painter.setBrush(p::withAlpha(p::kSurface, 0.75));
    painter.drawRoundedRect(rail, 0.025 * w, 0.025 * w);
    // The bed of the hint line along the bottom.
    const QRectF hint(0.17 * w, 0.895 * h, 0.66 * w, 0.08 * h);
    painter.setPen(QPen(p::withAlpha(p::kEdge, 0.8), 0.003 * h));
    painter.setBrush(p::withAlpha(p::kNight, 0.7));
    painter.drawRoundedRect(hint, 0.02 * h, 0.02 * h);
    paintHairline(painter, hint.left(), hint.right(), hint.top(), 0.004 * h, 0.6);
}

void paintLogo(QPainter& painter, const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    paintNight(painter, size);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(0.5 * w, 0.42 * h);
    const double radius = 0.2 * h;
    QRadialGradient halo(centre, radius * 1.9);
    halo.setColorAt(0.0, p::withAlpha(p::kCyan, 0.22));
    halo.setColorAt(0.6, p::withAlpha(p::kCyan, 0.05));
    halo.setColorAt(1.0, p::withAlpha(p::kCyan, 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius * 1.9, radius * 1.9);
    painter.setBrush(p::kSurface);
    painter.setPen(QPen(p::kCyan, 0.012 * h));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(p::withAlpha(p::kCyan, 0.35), 0.004 * h));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 1.12, radius * 1.12);
    paintGlyph(
        painter,
        QRectF(centre.x() - radius * 0.66, centre.y() - radius * 0.7, radius * 1.32, radius * 1.32),
        glyphs::chair(glyphs::ChairMove::None), litInk());
    // The maker's name, spaced out under the emblem.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(0.075 * h));
    font.setLetterSpacing(QFont::PercentageSpacing, 135);
    painter.setFont(font);
    painter.setPen(p::kWhite);
    const QRectF line(0, centre.y() + radius * 1.35, w, 0.1 * h);
    painter.drawText(line, Qt::AlignCenter, QStringLiteral("VORNALEX"));
    paintHairline(painter, 0.36 * w, 0.64 * w, line.bottom() + 0.02 * h, 0.005 * h);
}

// The panels share one frame; each carries its own faint texture so they read apart.
void paintPanelBackground(QPainter& painter, const QSizeF& size, int texture) {
    const double w = size.width();
    const double h = size.height();
    const QRectF frame(0.006 * w, 0.01 * h, 0.988 * w, 0.98 * h);
    paintPanel(painter, frame, 0.05 * h);
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(frame, 0.05 * h, 0.05 * h);
    painter.setClipPath(clip);
    painter.setPen(QPen(p::withAlpha(p::kCyan, 0.045), 0.004 * h));
    switch (texture) {
        case 0:
            for (double y = 0.1 * h; y < h; y += 0.1 * h) {
                for (double x = 0.05 * w; x < w; x += 0.05 * w) {
                    painter.drawPoint(QPointF(x, y));
                }
            }
            break;
        case 1:
            for (double y = 0.08 * h; y < h; y += 0.08 * h) {
                painter.drawLine(QPointF(0, y), QPointF(w, y));
            }
            break;
        case 2:
            for (double x = -h; x < w; x += 0.09 * h) {
                painter.drawLine(QPointF(x, h), QPointF(x + h, 0));
            }
            break;
        default:
            for (double x = 0.05 * w; x < w; x += 0.05 * w) {
                painter.drawLine(QPointF(x, 0), QPointF(x, h));
            }
            break;
    }
    painter.restore();
    // Corner brackets, as on an instrument panel.
    painter.setPen(QPen(p::withAlpha(p::kCyan, 0.55), 0.008 * h, Qt::SolidLine, Qt::RoundCap));
    const double arm = 0.06 * h;
    const double inset = 0.045 * h;
    const QPointF corners[] = {{frame.left() + inset, frame.top() + inset},
                               {frame.right() - inset, frame.top() + inset},
                               {frame.left() + inset, frame.bottom() - inset},
                               {frame.right() - inset, frame.bottom() - inset}};
    for (const QPointF& corner : corners) {
        const double dx = corner.x() < w / 2 ? arm : -arm;
        const double dy = corner.y() < h / 2 ? arm : -arm;
        painter.drawLine(corner, corner + QPointF(dx, 0));
        painter.drawLine(corner, corner + QPointF(0, dy));
    }
}

}  // namespace

void addBackgroundPictures(Catalog& catalog) {
    catalog.push_back({"logo", {2048, 1344}, paintLogo});
    catalog.push_back({"bg", {2048, 1344}, paintMainBackground});
    for (int panel = 1; panel <= 4; ++panel) {
        catalog.push_back(
            {QString("bg%1").arg(panel), {1600, 880}, [panel](QPainter& painter, const QSizeF& s) {
                 paintPanelBackground(painter, s, panel - 1);
             }});
    }
}

}  // namespace pictures
