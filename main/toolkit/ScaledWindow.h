#pragma once

#include <QColor>
#include <QGraphicsView>
#include <QPointer>
#include <QSize>
#include <functional>

class QGraphicsProxyWidget;

namespace tk {

class TouchRouter;

// How the window opens: its size in device-independent pixels (empty: the screens' own size
// in points, at scale 1), full screen or not, and the largest it can become (the display),
// which bounds the pixels a picture may need. The screens take the window's shape at every
// resize unless their measures were given.
struct WindowPlacement {
    QSize size;
    bool fullScreen = false;
    QSize largest;
    bool followsShape = false;
};

// The one window: it shows the screens, laid out in points, scaled by one factor so that
// they fill it. The factor follows every resize; where the window's shape differs from the
// screens' the extra is the margin colour, split evenly. Text is drawn at the scaled size
// and pictures at the device pixels they cover. Touches go through a TouchRouter, one per
// finger. F11 toggles full screen. Main thread only.
class ScaledWindow : public QGraphicsView {
    Q_OBJECT
public:
    // Shows `content` (a top-level widget, which stays owned by the caller).
    explicit ScaledWindow(QWidget* content);
    ~ScaledWindow() override;

    QWidget* content() const { return content_; }
    // Device-independent pixels per point.
    double scale() const;
    // Device pixels per point.
    double devicePixelsPerPoint() const;
    // Where a point of the screens (points) lies in the window (device-independent pixels).
    QPointF windowPoint(QPointF contentPoint) const;
    void setMarginColour(const QColor& colour);
    void toggleFullScreen();
    // Told the window's new size (device-independent pixels) at every resize, before the
    // screens are scaled into it: the screens may take the new shape first.
    void setReshape(std::function<void(QSize)> reshape) { reshape_ = std::move(reshape); }

    // Opens as `placement` says.
    void open(const WindowPlacement& placement);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QPointer<QWidget> content_;
    QGraphicsProxyWidget* proxy_;
    TouchRouter* router_;
    std::function<void(QSize)> reshape_;
};

}  // namespace tk
