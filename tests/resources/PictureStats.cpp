#include "PictureStats.h"

#include <QSet>
#include <cstdlib>

namespace resourcetests {

namespace {

QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool isCyan(QRgb pixel) {
    return qAlpha(pixel) > 160 && qGreen(pixel) > 150 && qBlue(pixel) > 150 &&
           qRed(pixel) < qGreen(pixel) - 60;
}

}  // namespace

int cyanPixels(const QImage& image) {
    const QImage pixels = argb(image);
    int count = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) count += isCyan(row[x]) ? 1 : 0;
    }
    return count;
}

double cyanCentreY(const QImage& image) {
    const QImage pixels = argb(image);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (isCyan(row[x])) {
                sum += y;
                ++count;
            }
        }
    }
    return count == 0 ? -1.0 : sum / count / pixels.height();
}

int distinctColours(const QImage& image, int cap) {
    const QImage pixels = argb(image);
    QSet<QRgb> seen;
    for (int y = 0; y < pixels.height() && seen.size() < cap; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width() && seen.size() < cap; ++x) seen.insert(row[x]);
    }
    return int(seen.size());
}

double changedShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 0.0;
    const QImage first = argb(a);
    const QImage second = argb(b);
    long changed = 0;
    for (int y = 0; y < first.height(); ++y) {
        const QRgb* one = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const QRgb* two = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            const int difference = std::max({std::abs(qRed(one[x]) - qRed(two[x])),
                                             std::abs(qGreen(one[x]) - qGreen(two[x])),
                                             std::abs(qBlue(one[x]) - qBlue(two[x])),
                                             std::abs(qAlpha(one[x]) - qAlpha(two[x]))});
            changed += difference > 40 ? 1 : 0;
        }
    }
    return double(changed) / (double(first.width()) * first.height());
}

}  // namespace resourcetests
