#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "main/toolkit/Image.h"

namespace tk {

// The touch events a button reports, numbered as the screens' event masks are.
enum ControlEvent : unsigned {
    TouchDown = 1u << 0,
    TouchDragExit = 1u << 5,
    TouchUpInside = 1u << 6,
    // The press ended without a release: the window lost focus or the button went away.
    TouchCancel = 1u << 8,
};

// A button whose look is its normal-state background picture, scaled to its frame, with an
// optional title drawn over it. Real mouse and touch presses work, and the same steps can
// be driven from code (tests, script mode). Main thread only.
class ImageButton : public QWidget {
    Q_OBJECT
public:
    using Action = std::function<void(ImageButton& sender)>;

    explicit ImageButton(QWidget* parent = nullptr);

    void setBackgroundImage(const Image& image);
    const Image& backgroundImage() const { return background_; }

    void setTitle(const QString& title);
    const QString& title() const { return title_; }
    void setTitleColor(const QColor& color);
    const QColor& titleColor() const { return titleColor_; }
    void setTitleFont(const QFont& font);
    const QFont& titleFont() const { return titleFont_; }

    // Runs `action` for every event in `events` (a mask of ControlEvent), after the
    // actions added before it.
    void addAction(unsigned events, Action action);
    void removeAllActions();

    // Touch steps, as a finger makes them. A button that does not take touches (hidden,
    // disabled, or under a view that passes none) ignores touchDown.
    void touchDown();
    // The finger slides off while pressed: drag-exit, once per exit.
    void moveOutside();
    void moveInside();
    // Touch-up-inside only when pressed and the finger is inside.
    void touchUp(bool inside = true);
    // Ends a press without a release; reports TouchCancel when a press was under way.
    void cancelTouch();

    bool isPressed() const { return pressed_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void send(ControlEvent event);

    struct Target {
        unsigned events;
        Action action;
    };

    Image background_;
    QString title_;
    QColor titleColor_;
    QFont titleFont_;
    std::vector<Target> targets_;
    bool pressed_ = false;
    bool inside_ = false;
};

}  // namespace tk
