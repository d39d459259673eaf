#pragma once

// First, before any Qt header defines `emit` as a macro.
#include "chair/StandInChair.h"

#include <QFile>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/NotificationCenter.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "link/LinkEnvironment.h"
#include "link/StatusFrames.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"
#include "panels/AdjustView.h"
#include "panels/InfoView.h"
#include "support/TestRuntime.h"
#include "widgets/MarqueeLabel.h"

namespace decodertest {

// Every key shown as "[key]", so a test reads which key is on screen. The empty key stays
// without a text, as in the app's own files.
inline void writeKeyLanguage(const QString& directory, QStringList keys) {
    keys.removeAll(QString());
    QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>";
    for (const QString& key : keys) {
        xml += QString("<key>%1</key><string>[%1]</string>").arg(key);
    }
    xml += "</dict></plist>";
    for (const char* language : {"/zh.plist", "/en.plist"}) {
        QFile file(directory + language);
        if (file.open(QIODevice::WriteOnly)) file.write(xml.toUtf8());
    }
}

// The real main screen on the manual clock, linked through the real session controller and
// drain to a quiet stand-in chair that sends only the frames a test gives it.
struct DecoderRig {
    explicit DecoderRig(tk::Screen screen = tk::Screen::phone())
        : rt(screen), languages(rt.bundle) {
        rt.clock.setSettle([this] { dispatch.settle(); });
        chair::StandInOptions options;
        options.quiet = true;
        chair = chair::StandInChair::create(dispatch, rt.clock, options);
        root = std::make_unique<mainscreen::RootViewController>(mainscreen::MainScreenEnvironment{
            rt.runtime, dispatch, center, languages, [this]() -> chairlink::EADSessionController& {
                session =
                    std::make_unique<chairlink::EADSessionController>(chairlink::LinkEnvironment{
                        dispatch, rt.clock, center, chair->centralFactory()});
                return *session;
            }});
        root->view()->resize(screen.windowSize());
        root->view()->show();
        rt.clock.advance(mainscreen::RootViewController::kLogoSeconds);
        rt.clock.advance(1.0);  // the link comes up
        // The dictionary is read again on every use, so it may be written now.
        writeKeyLanguage(rt.dir.path(), root->titleArray() + root->hintArray() +
                                            QStringList{"strength", "running", "pause"});
        chair->clearWrites();
    }

    ~DecoderRig() {
        dispatch.settle();
        root.reset();
        session.reset();
        dispatch.settle();
    }

    // The chair notifies these bytes as one value; returns once the remote has handled them.
    // What the chair got until then (the acknowledgement) is left out of writes().
    void frame(const chairlink::Bytes& bytes) {
        chair->notify(bytes);
        rt.clock.runDue();
        chair->clearWrites();
    }

    // A 10-byte status frame with a correct checksum.
    void status(std::uint8_t type, std::uint8_t d1, std::uint8_t d2 = 0, std::uint8_t d3 = 0,
                std::uint8_t d4 = 0) {
        frame(chairlink::makeLongStatusFrame(type, d1, d2, d3, d4));
    }

    // What the remote wrote to the chair since the last call, as hex lines.
    std::vector<std::string> writes() {
        std::vector<std::string> lines;
        for (const auto& w : chair->writes()) lines.push_back(chairlink::upperHexPairs(w));
        chair->clearWrites();
        return lines;
    }

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
            root->serviceBtnAction();
        } else if (panel == mainscreen::kSettingsPanelTag) {
            root->settingBtnAction();
        } else if (panel >= mainscreen::kAutoPanelTag && panel <= mainscreen::kOtherPanelTag) {
            tk::ImageButton entry;
            tk::setTag(&entry, panel - mainscreen::kAutoPanelTag + 1);
            root->MenuViewAction(entry);
        }
        dispatch.settle();
    }

    // The picture of every button and image on screen, by view.
    QMap<const QWidget*, QString> pictures() const {
        QMap<const QWidget*, QString> shown;
        for (const auto* button : root->view()->findChildren<tk::ImageButton*>())
            shown.insert(button, button->backgroundImage().name());
        for (const auto* image : root->view()->findChildren<tk::ImageView*>())
            shown.insert(image, image->image().name());
        return shown;
    }

    // Every picture on screen whose name is not one of the app's pictures, as "tag: name".
    QStringList unknownPictures() const {
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

    panels::AdjustView* adjust() const {
        return root->viewWithTag<panels::AdjustView>(mainscreen::kAdjustPanelTag);
    }
    panels::InfoView* info() const {
        return root->viewWithTag<panels::InfoView>(mainscreen::kInfoPanelTag);
    }
    QStringList infoImages(std::initializer_list<int> tags) const {
        QStringList names;
        for (int tag : tags) names << tk::viewWithTag<tk::ImageView>(info(), tag)->image().name();
        return names;
    }
    QString title() const { return root->titleLabel()->text(); }
    QString hint() const { return root->hintLine()->text(); }
    QString powerPicture() const {
        return root->viewWithTag<tk::ImageButton>(mainscreen::kPowerButtonTag)
            ->backgroundImage()
            .name();
    }

    base::LogCapture logs;
    testsupport::TestRuntime rt;
    base::Dispatch dispatch{rt.main};
    base::NotificationCenter center;
    panels::LanguageStore languages;
    std::shared_ptr<chair::StandInChair> chair;
    std::unique_ptr<chairlink::EADSessionController> session;
    std::unique_ptr<mainscreen::RootViewController> root;
};

}  // namespace decodertest
