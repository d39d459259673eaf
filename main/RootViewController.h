#pragma once

#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "base/NotificationCenter.h"
#include "link/FrameFormat.h"
#include "main/LanguageList.h"
#include "main/MenuView.h"
#include "main/WorkingArea.h"
#include "main/panelkit/LanguageStore.h"
#include "main/panelkit/PanelContext.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ViewController.h"
#include "panels/PanelCommand.h"
#include "service/FileSelectedDelegate.h"

namespace base {
class Dispatch;
}
namespace chairlink {
class EADSessionController;
class FrameReceiver;
class UploadListener;
struct UploadProgress;
}  // namespace chairlink
namespace tk {
class ImageButton;
class MediaVolume;
class RepeatingTimer;
struct Screen;
class Runtime;
}  // namespace tk
namespace widgets {
class MarqueeLabel;
}
namespace service {
class FileBrowser;
}

namespace mainscreen {

// What the main screen is built from. The app passes its Qt-driven runtime and the shared
// session controller; tests and script mode pass a manual clock and a stand-in chair.
struct MainScreenEnvironment {
    tk::Runtime& runtime;
    base::Dispatch& dispatch;
    base::NotificationCenter& notifications;
    panels::LanguageStore& languages;
    // Asked once, by BeginAll: obtaining the session controller starts the scan for the chair.
    std::function<chairlink::EADSessionController&()> sessionController;
    // Asked once, by BeginAll; without it the media volume lives only in the process.
    std::function<std::shared_ptr<tk::MediaVolume>()> musicPlayer = {};
};

// The main screen and the hub of the app: it builds the fixed controls, owns the menu, the
// panels while they are shown, the two timers, the language setting and the last status
// records, and answers the session controller's data announcements. Its operations are
// spread over files by concern: start-up and fixed controls (RootViewController.cpp,
// RootMainView.cpp), quick keys (RootQuickKeys.cpp), languages (RootLanguages.cpp), the menu
// (RootMenu.cpp, with what the menu's panels share in RootMenuPanels.cpp), received frames
// (RootStatusFrames.cpp) and one file per panel's actions (RootAutoPanel.cpp,
// RootManualPanel.cpp, RootSettingsPanel.cpp, ...). Main thread only.
class RootViewController : public tk::ViewController, public service::FileSelectedDelegate {
public:
    using Records4 = std::array<std::int64_t, 4>;
    using Records3 = std::array<std::int64_t, 3>;

    static constexpr double kLogoSeconds = 5.0;
    static constexpr double kReturnSeconds = 10.0;
    static constexpr double kQuickKeyInterval = 0.5;
    static constexpr double kServiceInterval = 0.2;
    static constexpr int kTitleCount = 25;
    static constexpr int kHintCount = 25;

    explicit RootViewController(MainScreenEnvironment environment);
    ~RootViewController() override;

    // ---- Start-up and fixed controls ----
    // Removes the logo, reads the language, attaches to the session controller and its data
    // announcements, builds the screen for the idiom and makes both timers, paused.
    void BeginAll();
    void InitWithMainView();   // phone
    void InitWithMainView2();  // tablet
    void InitWithMessage();
    // The screen took another L: every control and open panel goes to its place for it, and
    // nothing shown or held changes.
    void relayOut();
    // Without a link: the connection alert. With one: switches the chair off (50) or on (51).
    void powerButtonClicked();
    // 0 "layout_power_off", 1 "layout_power_on"; other indices leave the picture.
    void setPowerBtnState(std::int64_t index);
    // One link-check poll of the service panel.
    void sendTesting();

    // ---- Quick keys ----
    void layoutTouchDownAction(tk::ImageButton& sender);
    void layoutAction(tk::ImageButton& sender);
    void sendMessageToRo();
    // Auto key picture by reported index 0 to 3; other indices leave the picture.
    void layoutBtnSel(std::int64_t index);

    // ---- Languages, titles and hints ----
    const panels::LanguageDictionary& setLanguageForMainView(std::int64_t languageFlag);
    // Out-of-range indices are ignored and leave the remembered index.
    void setWindowTitle(std::int64_t index, std::int64_t languageFlag);
    void changeHintLabel(std::int64_t index, std::int64_t languageFlag);
    void setMenuTitle(std::int64_t languageFlag);
    // The language list's row choice: redisplays everything in the new language and stores it.
    void selectLanguage(std::int64_t languageFlag);
    // The data source and delegate of the settings panel's language list.
    LanguageList& languageList() { return languageList_; }

    // ---- Menu and panel switching ----
    void InitWithMenuView();
    void showMenuView();
    void hideMenuView();
    void MenuBtnAction();
    void MenuViewAction(tk::ImageButton& sender);
    void removeAllView();
    void removeAllViewTrue();
    void UpdateInfoViewByTen();
    void clearInfoViewByTen();

    // ---- Auto panel ----
    void InitWithAutoView();
    void autoViewAction(tk::ImageButton& sender);

    // ---- Manual, Pressure and Other panels ----
    void InitWithManualView();
    void manualViewAction(tk::ImageButton& sender);
    void InitWithPressureView();
    void pressureViewAction(tk::ImageButton& sender);
    void InitWithOthersView();
    void otherViewAction(tk::ImageButton& sender);

    // ---- Adjust and Info panels (put up by the chair's running state) ----
    void InitWithAdjustView();
    void adjustViewAction(tk::ImageButton& sender);
    void initWithInfoView();
    void infoViewAction(tk::ImageButton& sender);
    // "infoViewMessage": technique, speed and width from the automatic and manual records.
    void infoNotification();

    // ---- Service panel ----
    // Opens the service panel in the working area, or closes it when it is open.
    void serviceBtnAction();
    void serviceViewAction(tk::ImageButton& sender);
    // Takes the panel away and gives the screen back to the Adjust and Info panels.
    void closeServicePanel();
    // The update file chooser, pushed over the main screen with the navigation bar shown.
    void openFileChooser();
    // A file picked in the chooser; taken only after an answered link check.
    void fileSelected(const QString& name, const service::PickedFile& file) override;
    // The service panel's update button: sends the chosen file; the 5-second wait for the
    // chair's confirmation starts once the last piece is out.
    void startUpdate();
    void uploadProgressed(const chairlink::UploadProgress& progress);
    // The chair did not confirm the update in time.
    void updateResult();
    // The chooser's file manager: one current directory for every chooser.
    service::FileBrowser& fileManager();

    // ---- Settings panel ----
    // Opens the settings panel in the working area, or closes it when it is open.
    void settingBtnAction();
    void settingViewAction(tk::ImageButton& sender);
    // Takes the panel away and gives the screen back to the Adjust and Info panels.
    void closeSettingsPanel();
    // The media volume the settings panel reads and sets; made by BeginAll.
    tk::MediaVolume* applicationMusicPlayer() const { return applicationMusicPlayer_.get(); }

    // ---- Received status frames ----
    // Each frame the drain accepted, in arrival order.
    void statusFrameReceived(const chairlink::Bytes& frame);

    // ---- State ----
    std::int64_t languageFlag() const { return languageFlag_; }
    void setLanguageFlag(std::int64_t flag) { languageFlag_ = flag; }
    std::int64_t currentState() const { return currentState_; }
    void setCurrentState(std::int64_t state) { currentState_ = state; }
    std::int64_t powerState() const { return powerState_; }
    void setPowerState(std::int64_t state) { powerState_ = state; }
    Records4& message1() { return message1_; }
    Records4& message2() { return message2_; }
    Records4& message3() { return message3_; }
    Records3& message4() { return message4_; }
    Records3& message5() { return message5_; }
    // What occupies the working area; the status decoder reports the chair going off to it.
    WorkingArea& workingArea() { return workingArea_; }
    const WorkingArea& workingArea() const { return workingArea_; }
    bool currentMenuSate() const { return workingArea_.menuOpen(); }
    bool menuFlag() const { return workingArea_.held(); }
    bool serviceSettingFlag() const { return workingArea_.serviceOrSettingsOpened(); }
    chairlink::EADSessionController* sessionController() const { return sessionController_; }
    tk::Label* titleLabel() const { return titleLabel_; }
    const QStringList& titleArray() const { return titleArray_; }
    std::int64_t currentTitleNum() const { return currentTitleNum_; }
    const QStringList& hintArray() const { return hintArray_; }
    std::int64_t currentHintNum() const { return currentHintNum_; }
    tk::RepeatingTimer* mytimer() const { return mytimer_.get(); }
    std::int64_t currentpositionIndex() const { return currentpositionIndex_; }
    const QStringList& arraylayout() const { return arraylayout_; }
    const QStringList& powerBtnState() const { return powerBtnState_; }
    tk::RepeatingTimer* serviceTimer() const { return serviceTimer_.get(); }
    std::int64_t currentService() const { return currentService_; }
    void setCurrentService(std::int64_t count) { currentService_ = count; }
    MenuView* menuView() const { return menuView_; }
    widgets::MarqueeLabel* hintLine() const;
    tk::Runtime& runtime() const { return env_.runtime; }
    base::NotificationCenter& notifications() const { return env_.notifications; }

    // Takes the view with `tag` off the screen (and frees it later), if present.
    void removeViewWithTag(int tag);
    // The view with `tag` anywhere under the root view (panels, fixed controls), or nullptr.
    QWidget* viewWithTag(int tag) const;
    template <typename T>
    T* viewWithTag(int tag) const {
        return dynamic_cast<T*>(viewWithTag(tag));
    }

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    // Builder steps shared by both idioms; the numbers differ.
    struct MainViewLayout;
    static MainViewLayout phoneLayout(const tk::Screen& screen);
    static MainViewLayout tabletLayout(const tk::Screen& screen);
    void buildMainView(const MainViewLayout& layout);
    // The fixed controls to their frames for the present measures.
    void placeMainView();
    // The root view's own child tagged `tag` (panels and the menu reuse small tags).
    QWidget* ownView(int tag) const;
    void buildQuickKeys(const MainViewLayout& layout);
    void setTitleKeys();
    void setHintKeys();
    // A hold key's touch ended by the platform (window deactivated or hidden).
    void quickKeyCancelled(tk::ImageButton& sender);
    void attachToSessionController();

    // One command frame to the chair; nothing without a session controller.
    void send(std::int32_t code);
    void hideViewWithTag(int tag, bool hidden);
    void slideMenu(double alpha, int y);
    // Where the menu stands across once slid: further in on wide screens.
    static int menuLeft(const tk::Screen& screen);
    // Menu entries: build the panel, label it and restore what the chair reported last.
    void openAutoPanel();
    void openManualPanel();
    void openPressurePanel();
    void openOtherPanel();
    // Builds a menu panel into the working area under `tag`, with `action` on touch-up for
    // its tags 1 to Panel::kGoBackTag (RootMenuPanels.h).
    template <typename Panel>
    Panel* putUpMenuPanel(int tag, void (RootViewController::*action)(tk::ImageButton&));
    void installMenuPanel(QWidget* panel, int tag, int lastTag,
                          void (RootViewController::*action)(tk::ImageButton&));
    // A menu panel's press: restarts the 10-second return, stores the setting it carries and
    // sends its code; true when there was a command to send.
    bool sendPanelCommand(int tag, const std::optional<panels::PanelCommand>& command);
    panels::PanelContext panelContext();

    MainScreenEnvironment env_;
    LanguageList languageList_;

    std::int64_t languageFlag_ = 0;
    QStringList powerBtnState_{"layout_power_off", "layout_power_on"};
    std::int64_t currentState_ = 0;
    std::int64_t powerState_ = 0;
    Records4 message1_{};
    Records4 message2_{};
    Records4 message3_{};
    Records3 message4_{};
    Records3 message5_{};
    WorkingArea workingArea_;
    chairlink::EADSessionController* sessionController_ = nullptr;
    QPointer<tk::Label> titleLabel_;
    QStringList titleArray_;
    std::int64_t currentTitleNum_ = 0;
    QStringList hintArray_;
    std::int64_t currentHintNum_ = 0;
    std::unique_ptr<tk::RepeatingTimer> mytimer_;
    std::int64_t currentpositionIndex_ = 0;
    QStringList arraylayout_;
    std::unique_ptr<tk::RepeatingTimer> serviceTimer_;
    std::int64_t currentService_ = 0;
    QPointer<MenuView> menuView_;
    std::shared_ptr<tk::MediaVolume> applicationMusicPlayer_;

    // Hold keys whose press is still inside the key: a cancelled touch ends only those.
    std::set<int> heldKeys_;
    std::unique_ptr<chairlink::FrameReceiver> frames_;
    std::shared_ptr<service::FileBrowser> fileManager_;
    // Hears of the upload on the main thread; the link holds it weakly, so it ends with us.
    std::shared_ptr<chairlink::UploadListener> uploadListener_;
};

}  // namespace mainscreen
