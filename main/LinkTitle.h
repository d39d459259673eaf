#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "base/NotificationCenter.h"
#include "link/EADSessionController.h"

namespace base {
class Dispatch;
}
namespace panels {
class LanguageStore;
}

namespace mainscreen {

// Posted on the main thread when the screen's language changes.
inline constexpr const char* kLanguageChangedNotification = "LanguageChanged";

// Keeps the window title telling where the link stands ("Massage chair remote (demo chair)
// — Searching for the chair"), in the current language, as the session controller reports
// it. Main thread; the link's reports hop over from the thread that made them.
class LinkTitle {
public:
    LinkTitle(QWidget& window, QString baseTitle, base::NotificationCenter& notifications,
              base::Dispatch& dispatch, panels::LanguageStore& languages,
              std::function<std::int64_t()> languageFlag);
    ~LinkTitle();

    // The text after the base title for a state, in the language given.
    QString stateText(const chairlink::LinkState& state, std::int64_t languageFlag) const;

private:
    void show();

    QPointer<QWidget> window_;
    QString baseTitle_;
    base::Dispatch& dispatch_;
    panels::LanguageStore& languages_;
    std::function<std::int64_t()> languageFlag_;
    std::optional<chairlink::LinkState> state_;  // none until the link first reports
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    base::ObserverRegistration linkChanges_;
    base::ObserverRegistration languageChanges_;
};

}  // namespace mainscreen
