#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

namespace tk {

class ImageButton;

// The keyboard on a window of our controls. Tab and Shift+Tab move a focus ring through what
// can be seen and used, in reading order; Space or Enter press the focused button as a finger
// does, held as long as the key is (the key's auto-repeat does not press again) and let go
// when the key is released or the focus leaves it; the arrow keys move along a grade bar's
// segments and through a list's rows; Esc asks the screen to go back; a few shortcut keys
// press a given control. One per window, as its child. Main thread only.
class KeyboardFocus : public QObject {
    Q_OBJECT
public:
    explicit KeyboardFocus(QWidget& window);
    ~KeyboardFocus() override;

    static KeyboardFocus* of(const QWidget* widget);

    // Reading order among siblings: lower ranks first, then rows from the top, each from the
    // left. Without a rank function every view is of rank 0.
    using Rank = std::function<int(const QWidget& view)>;
    void setReadingRank(Rank rank) { rank_ = std::move(rank); }

    // `key` (a Qt::Key, no modifier) presses the control `control` returns, when it can be
    // used; held as Space is.
    void addShortcut(int key, std::function<QWidget*()> control);
    void setGoBack(std::function<void()> goBack) { goBack_ = std::move(goBack); }

    // What Tab visits now, in order: buttons, one stop per bar (its segment that shows the
    // bar's grade, else its first) and list rows.
    std::vector<QWidget*> chain() const;
    QWidget* current() const { return current_; }
    // Moves the ring; nullptr takes it away. A button held by a key is let go first.
    void focus(QWidget* control);
    // Tab (forward) or Shift+Tab.
    void moveFocus(bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Ring;
    bool keyPressed(int key, bool autoRepeat);
    bool keyReleased(int key, bool autoRepeat);
    void press(QWidget* control, int key);
    void letGo(bool cancelled);
    void alongBar(int step);
    void refreshRing();

    QWidget& window_;
    Ring* ring_;
    QPointer<QWidget> current_;
    QPointer<ImageButton> held_;
    int heldKey_ = 0;
    std::map<int, std::function<QWidget*()>> shortcuts_;
    std::function<void()> goBack_;
    Rank rank_;
};

}  // namespace tk
