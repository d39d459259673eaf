#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <functional>
#include <map>

class QTouchEvent;
class QWidget;

namespace tk {

class ImageButton;

// Touch as on a phone: every finger drives the button it went down on, on its own. A finger
// that lands on no free button rests there without blocking the others; the first such
// finger acts as the mouse for what is not a button (lists). A cancelled touch ends every
// press without a release. Watches the surface the touches arrive on; `toContent` maps a
// point on it to the screens' points. Main thread only.
class TouchRouter : public QObject {
public:
    using Mapping = std::function<QPointF(QPointF surfacePoint)>;

    TouchRouter(QWidget& surface, QWidget& content, Mapping toContent);
    ~TouchRouter() override;

    // Fingers down now.
    int fingers() const { return int(fingers_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Finger {
        QPointer<ImageButton> button;
        bool mouse = false;
    };

    void route(QTouchEvent& event);
    void down(int id, QPointF surfacePoint);
    void moved(Finger& finger, QPointF surfacePoint);
    void up(const Finger& finger, QPointF surfacePoint);
    void cancelAll();
    bool inside(const ImageButton& button, QPointF surfacePoint) const;
    void sendMouse(int type, QPointF surfacePoint);

    QWidget& surface_;
    QPointer<QWidget> content_;
    Mapping toContent_;
    std::map<int, Finger> fingers_;
};

}  // namespace tk
