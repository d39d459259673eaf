#pragma once

#include <QString>
#include <QWidget>

namespace tk {

class ImageButton;
class Label;

// A message over the whole window until its one button dismisses it. show() returns at
// once (no nested event loop) and nothing is called back; while shown the alert takes
// every touch on the window and stays in front of views added later. Main thread only.
class AlertView : public QWidget {
    Q_OBJECT
public:
    // Shows the alert over the window that `anyView` belongs to; nullptr when there is no view.
    static AlertView* show(QWidget* anyView, const QString& title, const QString& message,
                           const QString& buttonTitle);
    // The frontmost alert over the window of `anyView`, if any.
    static AlertView* visibleAlert(QWidget* anyView);

    const QString& title() const { return title_; }
    const QString& message() const { return message_; }
    const QString& buttonTitle() const { return buttonTitle_; }
    // As a tap on the button: the alert goes away (deleted from the loop).
    void pressButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AlertView(QWidget* window, const QString& title, const QString& message,
              const QString& buttonTitle);
    void layoutBox();

    QString title_;
    QString message_;
    QString buttonTitle_;
    QWidget* box_;
    Label* titleLabel_;
    Label* messageLabel_;
    ImageButton* button_;
    bool dismissed_ = false;
};

}  // namespace tk
