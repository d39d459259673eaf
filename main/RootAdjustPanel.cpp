// The Adjust panel's place on the main screen and the actions of its buttons. The chair puts
// the panel up while it measures the shoulders (see StatusDecoder).
#include <string>

#include "base/Log.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "panels/AdjustView.h"

namespace mainscreen {

void RootViewController::InitWithAdjustView() {
    auto* panel = new panels::AdjustView(panels::AdjustView::frameOnScreen(env_.runtime.screen()),
                                         panelContext(), view());
    tk::setTag(panel, kAdjustPanelTag);
    panel->show();
    for (int tag : {panels::AdjustView::kUpperButtonTag, panels::AdjustView::kLowerButtonTag}) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag)) {
            button->addAction(tk::TouchUpInside,
                              [this](tk::ImageButton& b) { adjustViewAction(b); });
        }
    }
}

void RootViewController::adjustViewAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    if (const std::int32_t code = panels::AdjustView::commandCodeForTag(tag)) {
        base::log(std::to_string(tag));
        send(code);
    }
}

}  // namespace mainscreen
