// The Info panel's place on the main screen, the actions of its controls and the technique,
// speed and width it shows on "infoViewMessage". The chair puts the panel up while a
// programme runs or is paused (see StatusDecoder).
#include "link/EADSessionController.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "panels/InfoActions.h"
#include "panels/InfoView.h"

namespace mainscreen {

void RootViewController::initWithInfoView() {
    auto* panel = new panels::InfoView(panels::InfoView::frameOnScreen(env_.runtime.screen()),
                                       panelContext(), view());
    tk::setTag(panel, kInfoPanelTag);
    panel->show();
    for (int tag = panels::InfoView::kFirstTouchAreaTag; tag <= panels::InfoView::kStartPauseTag;
         ++tag) {
        if (auto* control = tk::viewWithTag<tk::ImageButton>(panel, tag)) {
            control->addAction(tk::TouchUpInside,
                               [this](tk::ImageButton& b) { infoViewAction(b); });
        }
    }
    // One observation per panel, ended when the panel goes, so panels made again and again
    // never pile up observers.
    panel->observeInfoMessages(env_.notifications, [this] { infoNotification(); });
}

void RootViewController::infoViewAction(tk::ImageButton& sender) {
    const auto command = panels::infoCommandForTag(tk::tagOf(&sender), currentState_);
    if (!command) return;
    // The intensity is stored even when the link is down; the frame then goes nowhere.
    if (command->uppperIntensity && sessionController_) {
        sessionController_->setUppperIntensity(*command->uppperIntensity);
    }
    send(command->code);
}

void RootViewController::infoNotification() {
    if (auto* panel = viewWithTag<panels::InfoView>(kInfoPanelTag)) {
        panels::showTechniqueSpeedWidth(*panel, message1_, message2_);
    }
}

}  // namespace mainscreen
