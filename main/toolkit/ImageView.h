#pragma once

#include <QWidget>

#include "main/toolkit/Image.h"

namespace tk {

// A picture scaled to the view's frame. Like its platform model it takes no touches until
// told to, and while it takes none neither do the buttons placed on it.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);
    ImageView(const Image& image, QWidget* parent = nullptr);

    void setImage(const Image& image);
    const Image& image() const { return image_; }

    // Drawn at the picture's own shape, as large as the frame allows and centred, the rest
    // in the colour of the picture's corner; off (stretched to the frame) by default.
    void setKeepsAspect(bool keeps);
    bool keepsAspect() const { return keepsAspect_; }

    // Off by default.
    void setUserInteractionEnabled(bool enabled);
    bool isUserInteractionEnabled() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Image image_;
    bool keepsAspect_ = false;
};

}  // namespace tk
