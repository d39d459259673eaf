// The two builders of the main screen: the same controls in the same order, with the
// phone's and the tablet's frames.
#include <QWidget>

#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/panelkit/Controls.h"
#include "main/toolkit/Animator.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "widgets/HintLine.h"
#include "widgets/MarqueeLabel.h"

namespace mainscreen {

struct RootViewController::MainViewLayout {
    bool tablet;
    QRect menuButton;
    QRect menuCaption;  // inside the menu button
    double captionSize;
    QRect title;
    double titleSize;
    QRect serviceCaption;
    QRect serviceButton;
    const char* servicePicture;
    QRect powerButton;
    QRect settingCaption;
    QRect settingButton;
    QRect firstQuickKey;
    int quickKeyStep;
    QRect hintLine;
};

RootViewController::MainViewLayout RootViewController::phoneLayout(const tk::Screen& s) {
    const int L = s.L, S = s.S;
    const bool wide = L > 500;
    return {
        .tablet = false,
        .menuButton = wide ? QRect(-15, 0, 115, 80) : QRect(-20, 0, 109, 80),
        .menuCaption = QRect(25, 37, 60, 13),
        .captionSize = 11,
        .title = QRect(wide ? 135 : 90, 10, 300, 30),
        .titleSize = 13,
        .serviceCaption = QRect(L - 65, 23, 60, 13),
        .serviceButton = QRect(L - 68, -2, 63, 52),
        .servicePicture = "layout_service_off",
        .powerButton = QRect(12, S - 20, 55, 40),
        .settingCaption = QRect(L - 65, S + 3, 60, 13),
        .settingButton = QRect(L - 67, S - 30, 60, 50),
        .firstQuickKey = QRect(L - 60, 45, 60, 43),
        .quickKeyStep = 47,
        .hintLine = QRect(wide ? 110 : 90, 292, wide ? 345 : 300, 20),
    };
}

RootViewController::MainViewLayout RootViewController::tabletLayout(const tk::Screen& s) {
    const int L = s.L, S = s.S;
    return {
        .tablet = true,
        .menuButton = QRect(-30, 0, 215, 160),
        .menuCaption = QRect(55, 70, 100, 25),
        .captionSize = 25,
        .title = QRect(140, 30, 750, 50),
        .titleSize = 30,
        .serviceCaption = QRect(L - 125, 60, 100, 25),
        .serviceButton = QRect(L - 110, 5, 70, 80),
        .servicePicture = "layout_service_off1",
        .powerButton = QRect(10, S - 80, 140, 100),
        .settingCaption = QRect(L - 115, S - 15, 100, 30),
        .settingButton = QRect(L - 130, S - 90, 120, 110),
        .firstQuickKey = QRect(L - 120, 120, 120, 90),
        .quickKeyStep = 100,
        .hintLine = QRect(200, 700, 620, 40),
    };
}

void RootViewController::InitWithMainView() {
    buildMainView(phoneLayout(env_.runtime.screen()));
}

void RootViewController::InitWithMainView2() {
    buildMainView(tabletLayout(env_.runtime.screen()));
}

QWidget* RootViewController::ownView(int tag) const {
    if (!isViewLoaded()) return nullptr;
    QWidget* root = const_cast<RootViewController*>(this)->view();
    for (auto* child : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (tk::tagOf(child) == tag) return child;
    return nullptr;
}

void RootViewController::placeMainView() {
    const tk::Screen s = env_.runtime.screen();
    QWidget* root = view();
    const auto place = [](QWidget* view, const QRect& frame) {
        if (view) view->setGeometry(frame);
    };
    const auto named = [root](const char* name) {
        return root->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    };
    const QRect whole(0, 0, s.L, s.S + tk::Screen::kStatusBar);
    place(ownView(kLogoTag), whole);
    place(ownView(kBackgroundTag), whole);
    const MainViewLayout layout = s.isTablet() ? tabletLayout(s) : phoneLayout(s);
    place(named(kMenuButtonName), layout.menuButton);
    place(titleLabel_, layout.title);
    place(ownView(kServiceCaptionTag), layout.serviceCaption);
    place(named(kServiceButtonName), layout.serviceButton);
    place(ownView(kPowerButtonTag), layout.powerButton);
    place(ownView(kSettingCaptionTag), layout.settingCaption);
    place(named(kSettingsButtonName), layout.settingButton);
    for (int i = 0; i < kQuickKeyCount; ++i)
        place(ownView(quickKeyTag(i)), layout.firstQuickKey.translated(0, layout.quickKeyStep * i));
    place(ownView(kHintLineTag), layout.hintLine);
    // The phone's menu stands a little further in on wide screens; one on its way is left to
    // arrive.
    tk::Animator& animator = env_.runtime.animator();
    if (menuView_ && !s.isTablet() && !animator.isAnimating(menuView_)) {
        const QRect frame = animator.finalFrame(menuView_);
        place(menuView_, QRect(menuLeft(s), frame.y(), frame.width(), frame.height()));
    }
}

// The order is the stacking order: what is made first lies at the back.
void RootViewController::buildMainView(const MainViewLayout& layout) {
    QWidget* root = view();
    tk::Bundle& bundle = env_.runtime.bundle();
    const auto s = env_.runtime.screen();

    InitWithMessage();
    panels::makeImageView(root, QRect(0, 0, s.L, s.S + tk::Screen::kStatusBar), bundle, "bg", false,
                          kBackgroundTag);

    InitWithMenuView();
    menuView_->setLanguageForModeView(languageFlag_);
    // The tablet's menu stays opaque, off screen, until it is first toggled.
    if (!layout.tablet) hideMenuView();
    workingArea_.closeMenu();

    auto* menuButton =
        panels::makeImageButton(root, layout.menuButton, bundle, "layout_function_off");
    menuButton->setObjectName(kMenuButtonName);
    menuButton->addAction(tk::TouchUpInside, [this](tk::ImageButton&) { MenuBtnAction(); });
    titleLabel_ = panels::makeCaption(root, layout.title, layout.titleSize);
    panels::makeCaption(menuButton, layout.menuCaption, layout.captionSize, kMenuCaptionTag)
        ->setText(QString::fromUtf8("功能"));

    setTitleKeys();
    setLanguageForMainView(languageFlag_);

    panels::makeCaption(root, layout.serviceCaption, layout.captionSize, kServiceCaptionTag);
    panels::makeImageButton(root, layout.serviceButton, bundle, layout.servicePicture)
        ->setObjectName(kServiceButtonName);
    if (auto* serviceButton = root->findChild<tk::ImageButton*>(kServiceButtonName)) {
        serviceButton->addAction(tk::TouchUpInside,
                                 [this](tk::ImageButton&) { serviceBtnAction(); });
    }

    powerBtnState_ = {"layout_power_off", "layout_power_on"};
    panels::makeImageButton(root, layout.powerButton, bundle, powerBtnState_[0], kPowerButtonTag)
        ->addAction(tk::TouchUpInside, [this](tk::ImageButton&) { powerButtonClicked(); });

    panels::makeCaption(root, layout.settingCaption, layout.captionSize, kSettingCaptionTag)
        ->setText(QString::fromUtf8("设置"));
    auto* settingButton =
        panels::makeImageButton(root, layout.settingButton, bundle, "layout_setup_off");
    settingButton->setObjectName(kSettingsButtonName);
    settingButton->addAction(tk::TouchUpInside, [this](tk::ImageButton&) { settingBtnAction(); });
    currentState_ = 0;

    buildQuickKeys(layout);

    setMenuTitle(languageFlag_);
    setHintKeys();

    auto* hint = widgets::makeHintLine(env_.runtime.clock(), env_.notifications, layout.hintLine,
                                       layout.tablet, root);
    tk::setTag(hint, kHintLineTag);
    hint->show();
}

void RootViewController::buildQuickKeys(const MainViewLayout& layout) {
    static const char* const kPictures[kQuickKeyCount] = {
        "layout_general_auto_off", "layout_general_foot_up_off", "layout_general_foot_down_off",
        "layout_general_heart_down_off", "layout_general_heart_up_off"};
    for (int i = 0; i < kQuickKeyCount; ++i) {
        const int tag = quickKeyTag(i);
        auto* key = panels::makeImageButton(
            view(), layout.firstQuickKey.translated(0, layout.quickKeyStep * i),
            env_.runtime.bundle(), kPictures[i], tag);
        if (tag == kAutoKeyTag) {
            key->addAction(tk::TouchUpInside, [this](tk::ImageButton& b) { layoutAction(b); });
            continue;
        }
        key->addAction(tk::TouchDown, [this](tk::ImageButton& b) { layoutTouchDownAction(b); });
        key->addAction(tk::TouchUpInside | tk::TouchDragExit,
                       [this](tk::ImageButton& b) { layoutAction(b); });
        key->addAction(tk::TouchCancel, [this](tk::ImageButton& b) { quickKeyCancelled(b); });
    }
    arraylayout_ = {"layout_general_auto_off", "layout_general_auto_1", "layout_general_auto_2",
                    "layout_general_auto_3"};
}

}  // namespace mainscreen
