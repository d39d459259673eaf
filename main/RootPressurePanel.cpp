// The Pressure panel's place on the main screen and the actions of its controls.
#include "main/RootMenuPanels.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "panels/PressureView.h"

namespace mainscreen {

void RootViewController::InitWithPressureView() {
    putUpMenuPanel<panels::PressureView>(kPressurePanelTag,
                                         &RootViewController::pressureViewAction);
}

void RootViewController::openPressurePanel() {
    InitWithPressureView();
    if (auto* panel = viewWithTag<panels::PressureView>(kPressurePanelTag)) {
        panel->setLanguageForModeView(languageFlag_);
        panel->setBtnSel1(static_cast<std::uint64_t>(message3_[0]));
        panel->setBtnSel(static_cast<std::uint64_t>(message3_[1]));
        panel->setStrengthImage1(static_cast<std::uint64_t>(message3_[2]));
        panel->setBtnSel15(static_cast<std::uint64_t>(message3_[3]));
    }
}

void RootViewController::pressureViewAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    if (sendPanelCommand(tag, panels::PressureView::commandForTag(tag))) return;
    if (tag == panels::PressureView::kGoBackTag) MenuBtnAction();
}

}  // namespace mainscreen
