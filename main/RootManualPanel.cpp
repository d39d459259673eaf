// The Manual panel's place on the main screen and the actions of its controls.
#include "main/RootMenuPanels.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "panels/ManualView.h"

namespace mainscreen {

namespace {
constexpr std::int64_t kPageOneTitle = 4;  // "manualOne", with hint 4
constexpr std::int64_t kPageTwoTitle = 5;  // "manualSecond", with hint 5
}  // namespace

void RootViewController::InitWithManualView() {
    putUpMenuPanel<panels::ManualView>(kManualPanelTag, &RootViewController::manualViewAction);
}

void RootViewController::openManualPanel() {
    InitWithManualView();
    if (auto* panel = viewWithTag<panels::ManualView>(kManualPanelTag)) {
        panel->setLanguageForModeView(languageFlag_);
        panel->setBtnSel(static_cast<std::uint64_t>(message2_[1]));
        panel->setSpeedImage(static_cast<std::uint64_t>(message2_[2]));
        panel->setWidthImage(static_cast<std::uint64_t>(message2_[3]));
        panel->setBtnSel1(static_cast<std::uint64_t>(message2_[0]));
    }
}

void RootViewController::manualViewAction(tk::ImageButton& sender) {
    using panels::ManualView;
    const int tag = tk::tagOf(&sender);
    if (sendPanelCommand(tag, ManualView::commandForTag(tag))) return;
    auto* panel = viewWithTag<ManualView>(kManualPanelTag);
    if (tag == ManualView::kPageOneTag && panel) {
        panel->setChoiceSel(tag);
        panel->hideSecondView();
        panel->showFirstView();
        setWindowTitle(kPageOneTitle, languageFlag_);
        changeHintLabel(kPageOneTitle, languageFlag_);
    } else if (tag == ManualView::kPageTwoTag && panel) {
        panel->setChoiceSel(tag);
        panel->hideFirstView();
        panel->showSecondView();
        setWindowTitle(kPageTwoTitle, languageFlag_);
        changeHintLabel(kPageTwoTitle, languageFlag_);
    } else if (tag == ManualView::kGoBackTag) {
        MenuBtnAction();
    }
}

}  // namespace mainscreen
