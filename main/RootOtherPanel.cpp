// The Other panel's place on the main screen and the actions of its controls.
#include "main/RootMenuPanels.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "panels/OtherView.h"

namespace mainscreen {

void RootViewController::InitWithOthersView() {
    putUpMenuPanel<panels::OtherView>(kOtherPanelTag, &RootViewController::otherViewAction);
}

void RootViewController::openOtherPanel() {
    InitWithOthersView();
    if (auto* panel = viewWithTag<panels::OtherView>(kOtherPanelTag)) {
        panel->setLanguageForModeView(languageFlag_);
        panel->setBtnSel1(static_cast<std::uint64_t>(message4_[0]));
        panel->setABCSel(static_cast<std::uint64_t>(message4_[1]));
        panel->setHeatBtnSel(static_cast<std::uint64_t>(message4_[2]));
    }
}

void RootViewController::otherViewAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    if (sendPanelCommand(tag, panels::OtherView::commandForTag(tag))) return;
    if (tag == panels::OtherView::kGoBackTag) MenuBtnAction();
}

}  // namespace mainscreen
