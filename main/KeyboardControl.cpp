#include "main/KeyboardControl.h"

#include <QWidget>

#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/Accessibility.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/KeyboardFocus.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"

namespace mainscreen {

namespace {

constexpr int kQuickKeyTags[5] = {kAutoKeyTag, 2, 3, 4, 5};

void tap(tk::ImageButton* button) {
    if (!button || !tk::takesTouches(button) || !tk::isShowing(button)) return;
    button->touchDown();
    button->touchUp(true);
}

// The go-back of whatever stands in front: the chooser's back button, a panel's go-back
// picture, else the menu button while the menu is open.
void goBack(QWidget& window, RootViewController& root) {
    if (auto* navigation = window.findChild<tk::NavigationController*>();
        navigation && navigation->depth() > 1) {
        return tap(navigation->backButton());
    }
    for (auto* button : root.view()->findChildren<tk::ImageButton*>()) {
        if (tk::AccessibleNames::stemOf(button->backgroundImage().name()) == "layout_goback" &&
            tk::takesTouches(button) && tk::isShowing(button)) {
            return tap(button);
        }
    }
    if (root.currentMenuSate()) tap(root.view()->findChild<tk::ImageButton*>(kMenuButtonName));
}

int rankOf(const QWidget& view, RootViewController& root) {
    if (view.parentWidget() != root.view()) return 0;
    if (view.objectName() == kMenuButtonName) return -2;
    if (&view == root.menuView()) return -1;
    if (view.objectName() == kServiceButtonName) return 2;
    if (view.objectName() == kSettingsButtonName) return 3;
    const int tag = tk::tagOf(&view);
    if (tag == kPowerButtonTag) return 4;
    if (qobject_cast<const tk::ImageButton*>(&view)) {
        for (int quickKey : kQuickKeyTags) {
            if (tag == quickKey) return 1;
        }
    }
    return 0;
}

}  // namespace

void setUpKeyboard(QWidget& window, RootViewController& root) {
    auto* keyboard = new tk::KeyboardFocus(window);
    keyboard->setReadingRank([&root](const QWidget& view) { return rankOf(view, root); });
    keyboard->setGoBack([&window, &root] { goBack(window, root); });
    // The fixed controls sit right on the root view; panels reuse small tags.
    const auto byTag = [&root](int tag) {
        return [&root, tag]() -> QWidget* {
            for (auto* button :
                 root.view()->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly)) {
                if (tk::tagOf(button) == tag) return button;
            }
            return nullptr;
        };
    };
    keyboard->addShortcut(Qt::Key_P, byTag(kPowerButtonTag));
    keyboard->addShortcut(Qt::Key_M, [&root]() -> QWidget* {
        return root.view()->findChild<tk::ImageButton*>(kMenuButtonName,
                                                        Qt::FindDirectChildrenOnly);
    });
    for (int k = 0; k < 5; ++k) keyboard->addShortcut(Qt::Key_1 + k, byTag(kQuickKeyTags[k]));
}

}  // namespace mainscreen
