#pragma once

#include <QMap>
#include <QSet>
#include <stdexcept>

#include "link/StatusFrames.h"
#include "main/ViewTags.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "panels/AdjustView.h"
#include "panels/InfoView.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace decodertest {

// The whole app past its logo, the link up, with what status frames show at hand.
struct DecoderRig : screentest::ScreenRig {
    explicit DecoderRig(tk::Screen screen = tk::Screen::phone()) : ScreenRig(screen) { start(); }

    // The chair notifies these bytes as one value; returns once the remote has handled them.
    // What the chair got until then (the acknowledgement) is dropped from sent().
    void frame(const chairlink::Bytes& bytes) {
        world->chair().notify(bytes);
        sent();
    }
    void frame(const char* hexBytes) {
        auto bytes = chairlink::parseHexBytes(hexBytes);
        if (!bytes) throw std::invalid_argument(std::string("bad hex in test: ") + hexBytes);
        frame(*bytes);
    }
    // A 10-byte status frame with a correct checksum.
    void status(std::uint8_t type, std::uint8_t d1, std::uint8_t d2 = 0, std::uint8_t d3 = 0,
                std::uint8_t d4 = 0) {
        frame(chairlink::makeLongStatusFrame(type, d1, d2, d3, d4));
    }
    chairlink::EADSessionController* session() { return root().sessionController(); }

    // The panels a test may open in the working area, none first.
    static constexpr int kOpenablePanels[] = {0,
                                              mainscreen::kAutoPanelTag,
                                              mainscreen::kManualPanelTag,
                                              mainscreen::kPressurePanelTag,
                                              mainscreen::kOtherPanelTag,
                                              mainscreen::kServicePanelTag,
                                              mainscreen::kSettingsPanelTag};

    // Opens one panel (0: none changes) the way its button does.
    void openPanel(int panel) {
        if (panel == mainscreen::kServicePanelTag) {
            root().serviceBtnAction();
        } else if (panel == mainscreen::kSettingsPanelTag) {
            root().settingBtnAction();
        } else if (panel >= mainscreen::kAutoPanelTag && panel <= mainscreen::kOtherPanelTag) {
            tk::ImageButton entry;
            tk::setTag(&entry, panel - mainscreen::kAutoPanelTag + 1);
            root().MenuViewAction(entry);
        }
        settle();
    }

    // The picture of every button and image on screen, by view.
    QMap<const QWidget*, QString> pictures() {
        QMap<const QWidget*, QString> shown;
        for (const auto* button : root().view()->findChildren<tk::ImageButton*>())
            shown.insert(button, button->backgroundImage().name());
        for (const auto* image : root().view()->findChildren<tk::ImageView*>())
            shown.insert(image, image->image().name());
        return shown;
    }

    // Every picture on screen whose name is not one of the app's pictures, as "tag: name".
    QStringList unknownPictures() {
        static const QSet<QString> known = [] {
            const QStringList names = tk::Bundle(tk::Bundle::defaultDirectory()).pictureNames();
            return QSet<QString>(names.begin(), names.end());
        }();
        QStringList unknown;
        const auto shown = pictures();
        for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
            if (!it.value().isEmpty() && !known.contains(it.value()))
                unknown << QString("%1: %2").arg(tk::tagOf(it.key())).arg(it.value());
        }
        return unknown;
    }

    panels::AdjustView* adjust() {
        return root().viewWithTag<panels::AdjustView>(mainscreen::kAdjustPanelTag);
    }
    panels::InfoView* info() {
        return root().viewWithTag<panels::InfoView>(mainscreen::kInfoPanelTag);
    }
    QStringList infoImages(std::initializer_list<int> tags) {
        QStringList names;
        for (int tag : tags) names << tk::viewWithTag<tk::ImageView>(info(), tag)->image().name();
        return names;
    }
    QString title() { return root().titleLabel()->text(); }
    QString hint() { return root().hintLine()->text(); }
};

}  // namespace decodertest
