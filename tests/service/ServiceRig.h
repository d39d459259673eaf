#pragma once

#include "main/ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/Tag.h"
#include "service/ServiecesView.h"
#include "widgets/MarqueeLabel.h"

namespace servicetest {

using service::ServiecesView;

inline const chairlink::Bytes kLinkCheckAnswer{0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A};

// The whole app with the service panel's controls at hand.
struct ServiceRig : screentest::ScreenRig {
    ServiceRig() { start(); }
    tk::ImageButton* serviceButton() { return named(mainscreen::kServiceButtonName); }
    ServiecesView* panel() {
        return root().viewWithTag<ServiecesView>(mainscreen::kServicePanelTag);
    }
    tk::ImageButton* control(int tag) {
        return panel() ? tk::viewWithTag<tk::ImageButton>(panel(), tag) : nullptr;
    }
    QString controlPicture(int tag) {
        return control(tag) ? control(tag)->backgroundImage().name() : QString("(none)");
    }
    QString hint() { return root().hintLine()->text(); }
    void chairSays(const chairlink::Bytes& bytes) {
        world->chair().notify(bytes);
        settle();
    }
};

}  // namespace servicetest
