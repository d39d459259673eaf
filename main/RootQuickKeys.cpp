// The quick-key bar: the auto key sends one command per tap; the four hold keys repeat theirs
// every 0.5 s while held and send the stop command once when the hold ends.
#include "base/Log.h"
#include "main/MainCommands.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace mainscreen {

void RootViewController::layoutTouchDownAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    heldKeys_.insert(tag);
    currentpositionIndex_ = tag;
    if (!mytimer_) return;
    // The first command goes now, not from the loop: a release that arrives together with
    // the press still finds it sent before the stop.
    sendMessageToRo();
    mytimer_->setFireDateFromNow(kQuickKeyInterval);
}

void RootViewController::sendMessageToRo() {
    // The two heart keys are crossed: the key tagged 4 sends 148 and the key tagged 5 sends 147.
    std::int32_t code = 0;
    switch (currentpositionIndex_) {
        case 2:
            code = kFootUpCode;
            break;
        case 3:
            code = kFootDownCode;
            break;
        case 4:
            code = kHeartDownCode;
            break;
        case 5:
            code = kHeartUpCode;
            break;
        default:
            return;
    }
    base::log(std::to_string(currentpositionIndex_));
    send(code);
}

void RootViewController::layoutAction(tk::ImageButton& sender) {
    const int tag = tk::tagOf(&sender);
    if (tag == kAutoKeyTag) {
        base::log("ssss");
        send(kAutoKeyCode);
        return;
    }
    heldKeys_.erase(tag);
    send(kQuickKeyStopCode);
    if (mytimer_) mytimer_->pause();
}

void RootViewController::quickKeyCancelled(tk::ImageButton& sender) {
    // Only a press still inside the key holds it; one that slid off has already stopped.
    if (heldKeys_.count(tk::tagOf(&sender)) == 0) return;
    layoutAction(sender);
}

void RootViewController::layoutBtnSel(std::int64_t index) {
    if (index < 0 || index >= arraylayout_.size()) return;
    if (auto* key = viewWithTag<tk::ImageButton>(kAutoKeyTag)) {
        key->setBackgroundImage(env_.runtime.bundle().image(arraylayout_[index]));
    }
}

}  // namespace mainscreen
