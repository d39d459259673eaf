// Laying the main screen out again when the window takes another shape: the fixed controls
// by the idiom's layout for the new L, each open panel by a fresh layout of its own kind,
// copied onto it so that every picture, text, page and lit control it holds stays.
#include <QWidget>
#include <functional>
#include <memory>

#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/panelkit/Controls.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "panels/AdjustView.h"
#include "panels/AutoView.h"
#include "panels/InfoView.h"
#include "panels/ManualView.h"
#include "panels/OtherView.h"
#include "panels/PanelLayout.h"
#include "panels/PressureView.h"
#include "service/ServiecesView.h"
#include "service/SettingView.h"
#include "widgets/MarqueeLabel.h"

namespace mainscreen {

namespace {

// Views that lay out their own insides at every resize are left to do so.
bool laysOutItself(const QWidget* view) {
    return qobject_cast<const tk::ListView*>(view) ||
           qobject_cast<const widgets::MarqueeLabel*>(view);
}

// Gives `live` the frames of `fresh`, built the same way for the new measures. Children pair
// up in building order by kind and tag; what the live view made since it was built (cells, a
// progress bar) has no twin and keeps its frame.
void copyFrames(QWidget& live, const QWidget& fresh) {
    live.setGeometry(fresh.geometry());
    if (laysOutItself(&live)) return;
    const auto liveChildren = live.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    qsizetype next = 0;
    for (const QWidget* twin : fresh.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        for (qsizetype i = next; i < liveChildren.size(); ++i) {
            QWidget* candidate = liveChildren[i];
            if (candidate->metaObject() == twin->metaObject() &&
                tk::tagOf(candidate) == tk::tagOf(twin)) {
                copyFrames(*candidate, *twin);
                next = i + 1;
                break;
            }
        }
    }
}

// Captions were fitted to their old frames, and a row shares one size.
void refitCaptions(QWidget& panel) {
    const auto holdsCaptions = [](QWidget* view) {
        for (auto* label : view->findChildren<tk::Label*>(Qt::FindDirectChildrenOnly))
            if (label->adjustsFontSizeToFitWidth()) return true;
        return false;
    };
    if (holdsCaptions(&panel)) panels::evenCaptionRows(&panel);
    for (auto* view : panel.findChildren<QWidget*>())
        if (!laysOutItself(view) && holdsCaptions(view)) panels::evenCaptionRows(view);
}

}  // namespace

void RootViewController::relayOut() {
    if (!isViewLoaded()) return;
    const tk::Screen s = env_.runtime.screen();
    placeMainView();

    const panels::PanelContext context = panelContext();
    const auto fresh = [&](int tag) -> std::unique_ptr<QWidget> {
        const QRect menuPanel = panels::menuPanelFrame(s);
        switch (tag) {
            case kAutoPanelTag:
                return std::make_unique<panels::AutoView>(menuPanel, context);
            case kManualPanelTag:
                return std::make_unique<panels::ManualView>(menuPanel, context);
            case kPressurePanelTag:
                return std::make_unique<panels::PressureView>(menuPanel, context);
            case kOtherPanelTag:
                return std::make_unique<panels::OtherView>(menuPanel, context);
            case kSettingsPanelTag:
                return std::make_unique<service::SettingView>(
                    service::SettingView::frameFor(env_.runtime), context);
            case kAdjustPanelTag:
                return std::make_unique<panels::AdjustView>(panels::AdjustView::frameOnScreen(s),
                                                            context);
            case kInfoPanelTag:
                return std::make_unique<panels::InfoView>(panels::InfoView::frameOnScreen(s),
                                                          context);
            case kServicePanelTag:
                return std::make_unique<service::ServiecesView>(
                    service::ServiecesView::frameFor(env_.runtime), context);
            default:
                return nullptr;
        }
    };
    for (int tag = kAutoPanelTag; tag <= kServicePanelTag; ++tag) {
        QWidget* panel = ownView(tag);
        if (!panel) continue;
        if (const auto twin = fresh(tag)) {
            copyFrames(*panel, *twin);
            refitCaptions(*panel);
        }
    }
}

}  // namespace mainscreen
