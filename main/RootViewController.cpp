#include "main/RootViewController.h"

#include "base/Dispatch.h"
#include "base/Log.h"
#include "link/EADSessionController.h"
#include "link/LinkEnvironment.h"
#include "link/LinkStack.h"
#include "main/MainCommands.h"
#include "main/MenuView.h"
#include "main/ViewTags.h"
#include "main/panelkit/Controls.h"
#include "main/toolkit/AlertView.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/InProcessVolume.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "widgets/MarqueeLabel.h"

namespace mainscreen {

namespace {
constexpr const char* kBeginAll = "BeginAll";
constexpr std::int64_t kLinkCheckPolls = 3;
constexpr int kLinkCheckOverHint = 14;
}  // namespace

RootViewController::RootViewController(MainScreenEnvironment environment)
    : env_(std::move(environment)), languageList_(*this) {}

RootViewController::~RootViewController() {
    // Nothing may call back into a controller that is going away: no announcements, no
    // drain runs, no delayed calls.
    frames_.reset();
    env_.runtime.delayedCalls().cancelAll(this);
}

void RootViewController::viewDidLoad() {
    const auto screen = env_.runtime.screen();
    panels::makeImageView(view(), QRect(0, 0, screen.L, screen.S + tk::Screen::kStatusBar),
                          env_.runtime.bundle(), "logo", false, kLogoTag)
        ->setKeepsAspect(true);
    env_.runtime.delayedCalls().performAfterDelay(this, kBeginAll, kLogoSeconds,
                                                  [this] { BeginAll(); });
}

void RootViewController::viewWillAppear(bool animated) {
    if (auto* navigation = navigationController()) {
        navigation->setNavigationBarHidden(true, animated);
    }
}

void RootViewController::BeginAll() {
    removeViewWithTag(kLogoTag);
    languageFlag_ = env_.runtime.defaults().integerForKey("languageFlag");
    if (languageFlag_ != panels::LanguageStore::kChinese &&
        languageFlag_ != panels::LanguageStore::kEnglish) {
        // A hand-edited or damaged settings file; every language table has two entries.
        base::log(base::format("languageFlag %lld is no language; starting in Chinese",
                               static_cast<long long>(languageFlag_)));
        languageFlag_ = panels::LanguageStore::kChinese;
    }
    workingArea_.start();
    applicationMusicPlayer_ = env_.musicPlayer ? env_.musicPlayer() : nullptr;
    if (!applicationMusicPlayer_) applicationMusicPlayer_ = std::make_shared<tk::InProcessVolume>();
    attachToSessionController();
    if (env_.runtime.screen().isTablet()) {
        InitWithMainView2();
    } else {
        InitWithMainView();
    }
    mytimer_ = std::make_unique<tk::RepeatingTimer>(env_.runtime.clock(), kQuickKeyInterval,
                                                    [this] { sendMessageToRo(); });
    mytimer_->pause();
    serviceTimer_ = std::make_unique<tk::RepeatingTimer>(env_.runtime.clock(), kServiceInterval,
                                                         [this] { sendTesting(); });
    serviceTimer_->pause();
    currentService_ = 0;
}

void RootViewController::attachToSessionController() {
    sessionController_ = &env_.sessionController();
    frames_ = std::make_unique<chairlink::FrameReceiver>(
        *sessionController_, env_.dispatch, env_.notifications,
        // main thread, once per accepted frame
        [this](const chairlink::Bytes& frame) { statusFrameReceived(frame); });
}

void RootViewController::InitWithMessage() {
    message1_.fill(0);
    message2_.fill(0);
    message3_.fill(0);
    message4_.fill(0);
    message5_.fill(0);
}

void RootViewController::powerButtonClicked() {
    if (!sessionController_ || !sessionController_->isConnected()) {
        tk::AlertView::show(view(), "Error", "Please connect to the massage chair!", "OK");
        return;
    }
    removeViewWithTag(kServicePanelTag);
    removeViewWithTag(kSettingsPanelTag);
    workingArea_.serviceAndSettingsRemoved();
    if (powerState_ != 0) {
        send(kPowerOffCode);
        removeAllView();
    } else {
        send(kPowerOnCode);
    }
}

void RootViewController::setPowerBtnState(std::int64_t index) {
    if (index < 0 || index >= powerBtnState_.size()) return;
    if (auto* button = viewWithTag<tk::ImageButton>(kPowerButtonTag)) {
        button->setBackgroundImage(env_.runtime.bundle().image(powerBtnState_[index]));
    }
}

void RootViewController::sendTesting() {
    send(chairlink::kLinkCheckCode);
    if (currentService_ >= kLinkCheckPolls) {
        if (serviceTimer_) serviceTimer_->pause();
        base::log("over!");
        currentService_ = 0;
        changeHintLabel(kLinkCheckOverHint, languageFlag_);
    } else {
        ++currentService_;
    }
    base::log("Hello World!");
}

void RootViewController::send(std::int32_t code) {
    if (sessionController_) sessionController_->sendCode(code);
}

QWidget* RootViewController::viewWithTag(int tag) const {
    return isViewLoaded() ? tk::viewWithTag(const_cast<RootViewController*>(this)->view(), tag)
                          : nullptr;
}

void RootViewController::removeViewWithTag(int tag) {
    QWidget* view = viewWithTag(tag);
    if (!view) return;
    // Out of the tree at once, so no look-up finds it again; deleted from the loop, since
    // one of its own buttons may be the one whose action removes it.
    view->hide();
    view->setParent(nullptr);
    view->deleteLater();
}

void RootViewController::hideViewWithTag(int tag, bool hidden) {
    if (auto* view = viewWithTag(tag)) view->setHidden(hidden);
}

widgets::MarqueeLabel* RootViewController::hintLine() const {
    return viewWithTag<widgets::MarqueeLabel>(kHintLineTag);
}

panels::PanelContext RootViewController::panelContext() {
    return {env_.runtime, env_.languages};
}

}  // namespace mainscreen
