// The menu and the switching of panels in the working area, with the 10-second return from
// a chosen panel to the state display.
#include <QRect>

#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/Animator.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace mainscreen {

namespace {
constexpr const char* kMenuBtnAction = "MenuBtnAction";
constexpr double kMenuSlideSeconds = 0.5;

// What choosing menu entry n (1 to 4) puts up: the panel, and the title and hint it announces.
struct MenuEntry {
    void (RootViewController::*open)();  // builds the panel and restores it
    int title;
    int hint;
};
}  // namespace

void RootViewController::InitWithMenuView() {
    const auto s = env_.runtime.screen();
    const QRect frame =
        s.isTablet() ? QRect(20, -680, 130, 670) : QRect(s.L > 500 ? 10 : 0, -600, 66, 285);
    menuView_ = new MenuView(frame, panelContext(), view());
    menuView_->show();
    for (int n = 1; n <= MenuView::kEntryCount; ++n) {
        if (auto* entry = tk::viewWithTag<tk::ImageButton>(menuView_, n)) {
            entry->addAction(tk::TouchUpInside, [this](tk::ImageButton& b) { MenuViewAction(b); });
        }
    }
}

void RootViewController::showMenuView() {
    slideMenu(1.0, 0);
}

void RootViewController::hideMenuView() {
    slideMenu(0.0, -600);
}

int RootViewController::menuLeft(const tk::Screen& screen) {
    return screen.L > 500 ? 10 : 2;
}

void RootViewController::slideMenu(double alpha, int y) {
    if (!menuView_) return;
    tk::Animator& animator = env_.runtime.animator();
    const QRect frame = animator.finalFrame(menuView_);
    animator.beginAnimations();
    animator.setAnimationDuration(kMenuSlideSeconds);
    animator.setAlpha(menuView_, alpha);
    animator.setFrame(menuView_,
                      QRect(menuLeft(env_.runtime.screen()), y, frame.width(), frame.height()));
    animator.commitAnimations();
}

void RootViewController::MenuBtnAction() {
    clearInfoViewByTen();
    if (!workingArea_.menuOpen()) {
        workingArea_.openMenu();
        showMenuView();
        return;
    }
    hideMenuView();
    if (menuView_) menuView_->setBtnSel(MenuView::kNoEntry);
    removeAllView();
    workingArea_.returnToStateDisplay();
    hideViewWithTag(kAdjustPanelTag, false);
    hideViewWithTag(kInfoPanelTag, false);
    if (titleLabel_) titleLabel_->setText("");
}

void RootViewController::MenuViewAction(tk::ImageButton& sender) {
    static const MenuEntry kEntries[MenuView::kEntryCount] = {
        {&RootViewController::openAutoPanel, 3, 3},
        {&RootViewController::openManualPanel, 4, 4},
        {&RootViewController::openPressurePanel, 6, 6},
        {&RootViewController::openOtherPanel, 7, 7},
    };
    clearInfoViewByTen();
    UpdateInfoViewByTen();
    const int n = tk::tagOf(&sender);
    if (n < 1 || n > MenuView::kEntryCount) return;
    if (menuView_) menuView_->setBtnSel(n);
    removeAllView();
    workingArea_.showMenuPanel(n);
    const MenuEntry& entry = kEntries[n - 1];
    (this->*entry.open)();
    setWindowTitle(entry.title, languageFlag_);
    changeHintLabel(entry.hint, languageFlag_);
}

void RootViewController::removeAllView() {
    for (int tag : {kAutoPanelTag, kManualPanelTag, kPressurePanelTag, kOtherPanelTag,
                    kSettingsPanelTag, kServicePanelTag}) {
        removeViewWithTag(tag);
    }
    workingArea_.clear();
    hideViewWithTag(kAdjustPanelTag, true);
    hideViewWithTag(kInfoPanelTag, true);
}

void RootViewController::removeAllViewTrue() {
    for (int tag : {kAutoPanelTag, kManualPanelTag, kPressurePanelTag, kOtherPanelTag,
                    kAdjustPanelTag, kInfoPanelTag}) {
        removeViewWithTag(tag);
    }
}

void RootViewController::UpdateInfoViewByTen() {
    env_.runtime.delayedCalls().performAfterDelay(this, kMenuBtnAction, kReturnSeconds,
                                                  [this] { MenuBtnAction(); });
}

void RootViewController::clearInfoViewByTen() {
    env_.runtime.delayedCalls().cancelPrevious(this, kMenuBtnAction);
}

}  // namespace mainscreen
