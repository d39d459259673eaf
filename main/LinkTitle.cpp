#include "main/LinkTitle.h"

#include "base/Dispatch.h"
#include "link/LinkEnvironment.h"
#include "main/panelkit/LanguageStore.h"

namespace mainscreen {

LinkTitle::LinkTitle(QWidget& window, QString baseTitle, base::NotificationCenter& notifications,
                     base::Dispatch& dispatch, panels::LanguageStore& languages,
                     std::function<std::int64_t()> languageFlag)
    : window_(&window),
      baseTitle_(std::move(baseTitle)),
      dispatch_(dispatch),
      languages_(languages),
      languageFlag_(std::move(languageFlag)) {
    // Any thread: read the state there, show it on the main thread.
    linkChanges_ = base::ObserverRegistration(
        notifications, notifications.addObserver(
                           chairlink::kLinkStateNotification, nullptr,
                           [this, alive = alive_](const base::Notification& n) {
                               const auto* controller =
                                   static_cast<const chairlink::EADSessionController*>(n.object);
                               const chairlink::LinkState state = controller->linkState();
                               dispatch_.main().post([this, alive, state] {
                                   if (!*alive) return;
                                   state_ = state;
                                   show();
                               });
                           }));
    languageChanges_ = base::ObserverRegistration(
        notifications, notifications.addObserver(kLanguageChangedNotification, nullptr,
                                                 [this](const base::Notification&) { show(); }));
    show();
}

LinkTitle::~LinkTitle() {
    *alive_ = false;
}

QString LinkTitle::stateText(const chairlink::LinkState& state, std::int64_t languageFlag) const {
    const panels::LanguageDictionary& texts = languages_.load(languageFlag);
    switch (state.phase) {
        case chairlink::LinkState::Phase::Connected:
            return texts.value("linkConnected");
        case chairlink::LinkState::Phase::Retrying:
            return texts.value("linkRetrying").arg(state.retryWait);
        case chairlink::LinkState::Phase::Searching:
            break;
    }
    return texts.value("linkSearching");
}

void LinkTitle::show() {
    if (!window_) return;
    const QString text = state_ ? stateText(*state_, languageFlag_()) : QString();
    window_->setWindowTitle(text.isEmpty() ? baseTitle_ : baseTitle_ + " \u2014 " + text);
}

}  // namespace mainscreen
