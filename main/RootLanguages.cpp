// Languages: the shared dictionary, the title and hint lines with their key tables, the
// captions, and switching the whole screen to another language.
#include "main/LinkTitle.h"
#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "widgets/MarqueeLabel.h"

namespace mainscreen {

namespace {
void relabel(QWidget* view, std::int64_t languageFlag) {
    if (auto* panel = dynamic_cast<panels::LanguageAware*>(view)) {
        panel->setLanguageForModeView(languageFlag);
    }
}
}  // namespace

void RootViewController::setTitleKeys() {
    titleArray_ = {"",
                   "shoulderOne",
                   "shoulderSecond",
                   "autoOne",
                   "manualOne",
                   "manualSecond",
                   "pressureOne",
                   "otherOne",
                   "settingOne",
                   "settingSecond",
                   "settingThird",
                   "manualChoice",
                   "Automaticcomfort",
                   "Automaticrelax",
                   "Automaticacherelieve",
                   "Automaticfullairpressure",
                   "Automaticwaisttwist",
                   "Automaticwaiststretch",
                   "PauseState",
                   "serviceOne",
                   "AutomaticMusic",
                   "AutomaticI",
                   "AutomaticII",
                   "AutomaticIII",
                   "Automaticother"};
}

void RootViewController::setHintKeys() {
    // "hint0" to "hint18", then the empty key, then "hint19": index 20 shows "hint19".
    hintArray_.clear();
    for (int k = 0; k <= 18; ++k) hintArray_.append(QString("hint%1").arg(k));
    hintArray_.append("");
    hintArray_.append("hint19");
    // Why an update file was refused (indices 21 to 23).
    hintArray_.append({"hintFileEmpty", "hintFileUnreadable", "hintFileTooLarge"});
    // The upload refused by the link (index 24).
    hintArray_.append("hintUpdateFailed");
}

const panels::LanguageDictionary& RootViewController::setLanguageForMainView(
    std::int64_t languageFlag) {
    return env_.languages.load(languageFlag);
}

void RootViewController::setWindowTitle(std::int64_t index, std::int64_t languageFlag) {
    if (index < 0 || index >= kTitleCount || index >= titleArray_.size()) return;
    const auto& dictionary = setLanguageForMainView(languageFlag);
    if (titleLabel_) titleLabel_->setText(dictionary.value(titleArray_[index]));
    currentTitleNum_ = index;
}

void RootViewController::changeHintLabel(std::int64_t index, std::int64_t languageFlag) {
    if (index < 0 || index >= kHintCount || index >= hintArray_.size()) return;
    const auto& dictionary = setLanguageForMainView(languageFlag);
    if (auto* hint = hintLine()) hint->setText(dictionary.value(hintArray_[index]));
    currentHintNum_ = index;
}

void RootViewController::setMenuTitle(std::int64_t languageFlag) {
    static const char* const kKeys[3] = {"Menu", "Service", "Setting"};
    const int tags[3] = {kMenuCaptionTag, kServiceCaptionTag, kSettingCaptionTag};
    for (int i = 0; i < 3; ++i) {
        const auto& dictionary = setLanguageForMainView(languageFlag);
        if (auto* caption = viewWithTag<tk::Label>(tags[i])) {
            caption->setText(dictionary.value(kKeys[i]));
        }
    }
}

void RootViewController::selectLanguage(std::int64_t languageFlag) {
    languageFlag_ = languageFlag;
    if (menuView_) menuView_->setLanguageForModeView(languageFlag_);
    relabel(viewWithTag(kSettingsPanelTag), languageFlag_);
    relabel(viewWithTag(kInfoPanelTag), languageFlag_);
    setWindowTitle(currentTitleNum_, languageFlag_);
    setMenuTitle(languageFlag_);
    changeHintLabel(currentHintNum_, languageFlag_);
    env_.runtime.defaults().setInteger(languageFlag_, "languageFlag");
    env_.notifications.post(kLanguageChangedNotification, this);
}

}  // namespace mainscreen
