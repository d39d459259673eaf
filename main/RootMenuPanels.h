#pragma once

// For the files of the menu panels' actions only.
#include "main/RootViewController.h"
#include "main/toolkit/Runtime.h"
#include "panels/PanelLayout.h"

namespace mainscreen {

template <typename Panel>
Panel* RootViewController::putUpMenuPanel(int tag,
                                          void (RootViewController::*action)(tk::ImageButton&)) {
    auto* panel = new Panel(panels::menuPanelFrame(env_.runtime.screen()), panelContext(), view());
    installMenuPanel(panel, tag, Panel::kGoBackTag, action);
    // Building a menu panel counts as a touch on it: the 10-second return starts again.
    clearInfoViewByTen();
    UpdateInfoViewByTen();
    return panel;
}

}  // namespace mainscreen
