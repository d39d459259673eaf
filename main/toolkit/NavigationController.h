#pragma once

#include <QWidget>
#include <memory>
#include <vector>

namespace tk {

class ImageButton;
class Label;
class ViewController;

// One stack of screens over the main screen. Only the top screen's view is shown; the bar
// shows its title and, above the root, a back button titled after the screen below.
// Transitions are immediate (the `animated` flags are accepted and not drawn). Screens
// popped off are kept until the next change of the stack, so a screen may pop itself from
// inside its own handler. Main thread only.
class NavigationController : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBarHeight = 44;

    explicit NavigationController(std::shared_ptr<ViewController> root, QWidget* parent = nullptr);
    ~NavigationController() override;

    void pushViewController(std::shared_ptr<ViewController> controller, bool animated);
    // Pops the top screen unless it is the root.
    void popViewController(bool animated);
    void popToRootViewController(bool animated);

    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const;

    ViewController* topViewController() const;
    ViewController* rootViewController() const;
    int depth() const { return int(stack_.size()); }
    // The screens on the stack, the root first.
    std::vector<ViewController*> viewControllers() const;

    QWidget* navigationBar() const { return bar_; }
    ImageButton* backButton() const { return backButton_; }
    QString barTitle() const;

    // Refreshes the bar's title and back button (a screen's title changed).
    void updateBar();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void transition(ViewController* from, bool animated);
    void layoutViews();
    QRect contentRect() const;

    std::vector<std::shared_ptr<ViewController>> stack_;
    std::vector<std::shared_ptr<ViewController>> popped_;
    QWidget* bar_;
    Label* titleLabel_;
    ImageButton* backButton_;
    bool appeared_ = false;
};

}  // namespace tk
