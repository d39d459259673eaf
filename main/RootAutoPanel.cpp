// The Auto panel's place on the main screen and the actions of its buttons.
#include <string>

#include "base/Log.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "panels/AutoView.h"

namespace mainscreen {

void RootViewController::InitWithAutoView() {
    const auto s = env_.runtime.screen();
    QRect frame;
    if (s.isTablet()) {
        frame = QRect(120, 130, s.L - 250, 500);
    } else if (s.L > 500) {
        frame = QRect(65, 55, s.L - 130, 210);
    } else {
        frame = QRect(60, 55, s.L - 140, 210);
    }
    auto* panel = new panels::AutoView(frame, panelContext(), view());
    tk::setTag(panel, kAutoPanelTag);
    panel->show();
    for (int tag = 1; tag <= panels::AutoView::kGoBackTag; ++tag) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag)) {
            button->addAction(tk::TouchUpInside, [this](tk::ImageButton& b) { autoViewAction(b); });
        }
    }
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
