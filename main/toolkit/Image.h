#pragma once

#include <QImage>
#include <QString>

namespace tk {

// A bundle picture together with the resource name it was asked for. The name stays known
// when the file is missing, so a view can still say what it was meant to show; such an
// image is null and draws nothing.
class Image {
public:
    Image() = default;
    Image(QString name, QImage pixels) : name_(std::move(name)), pixels_(std::move(pixels)) {}

    const QString& name() const { return name_; }
    const QImage& pixels() const { return pixels_; }
    bool isNull() const { return pixels_.isNull(); }

private:
    QString name_;
    QImage pixels_;
};

}  // namespace tk
