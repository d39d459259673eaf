// The Auto panel's place on the main screen and the actions of its buttons.
#include <string>

#include "base/Log.h"
#include "main/RootMenuPanels.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "panels/AutoView.h"

namespace mainscreen {

void RootViewController::InitWithAutoView() {
    putUpMenuPanel<panels::AutoView>(kAutoPanelTag, &RootViewController::autoViewAction);
}

void RootViewController::openAutoPanel() {
    InitWithAutoView();
    if (auto* panel = viewWithTag<panels::AutoView>(kAutoPanelTag)) {
        panel->setLanguageForModeView(languageFlag_);
        panel->setBtnSel(static_cast<std::uint64_t>(message1_[0]));
    }
}

void RootViewController::autoViewAction(tk::ImageButton& sender) {
    clearInfoViewByTen();
    UpdateInfoViewByTen();
    const int tag = tk::tagOf(&sender);
    if (const std::int32_t code = panels::AutoView::commandCodeForTag(tag)) {
        base::log(std::to_string(tag));
        send(code);
    } else if (tag == panels::AutoView::kGoBackTag) {
        MenuBtnAction();
    }
}

}  // namespace mainscreen
