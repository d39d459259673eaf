// The service panel's place on the main screen and the actions of its buttons.
#include <string>

#include "base/Log.h"
#include "link/FrameFormat.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/DelayedCalls.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "service/ServiecesView.h"

namespace mainscreen {

namespace {
constexpr std::int64_t kServiceTitle = 19;
constexpr std::int64_t kServiceHint = 20;
}  // namespace

void RootViewController::serviceBtnAction() {
    if (workingArea_.shows(WorkingArea::Occupant::Service)) {
        closeServicePanel();
        return;
    }
    removeAllView();
    hideMenuView();
    workingArea_.showService();
    if (menuView_) menuView_->setBtnSel(100);

    auto* panel = new service::ServiecesView(service::ServiecesView::frameFor(env_.runtime),
                                             panelContext(), view());
    tk::setTag(panel, kServicePanelTag);
    panel->show();
    panel->setLanguageForModeView(languageFlag_);
    panel->setStartPause(message5_[0]);
    panel->setBtnSel(message5_[1]);
    setWindowTitle(kServiceTitle, languageFlag_);
    changeHintLabel(kServiceHint, languageFlag_);
    for (int tag = 1; tag <= service::ServiecesView::kGoBackTag; ++tag) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag)) {
            button->addAction(tk::TouchUpInside,
                              [this](tk::ImageButton& b) { serviceViewAction(b); });
        }
    }
}

void RootViewController::closeServicePanel() {
    removeViewWithTag(kServicePanelTag);
    workingArea_.closeServiceOrSettings();
    hideViewWithTag(kAdjustPanelTag, false);
    hideViewWithTag(kInfoPanelTag, false);
    if (titleLabel_) titleLabel_->setText("");
}

void RootViewController::serviceViewAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    if (tag < 1 || tag > service::ServiecesView::kGoBackTag) return;
    if (tag == service::ServiecesView::kGoBackTag) {
        closeServicePanel();
        return;
    }
    base::log(std::to_string(tag));
    if (const std::int32_t code = service::ServiecesView::commandCodeForTag(tag)) {
        send(code);
    } else if (tag == service::ServiecesView::kCheckTag) {
        // The first poll goes out at once, the rest on the timer's ticks.
        if (serviceTimer_) serviceTimer_->fireNowAndRepeat();
    } else if (tag == service::ServiecesView::kUpdateTag) {
        startUpdate();
    } else if (tag == service::ServiecesView::kChooseFileTag) {
        openFileChooser();
    }
}

}  // namespace mainscreen
