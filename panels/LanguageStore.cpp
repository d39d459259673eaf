#include "panels/LanguageStore.h"

#include "main/toolkit/Bundle.h"

namespace panels {

LanguageStore::LanguageStore(tk::Bundle& bundle) : bundle_(bundle) {}

const LanguageDictionary& LanguageStore::load(std::int64_t languageFlag) {
    const char* resource = languageFlag == kChinese   ? "zh"
                           : languageFlag == kEnglish ? "en"
                                                      : nullptr;
    if (!resource) return dictionary_;
    dictionary_ = bundle_.dictionary(resource).value_or(LanguageDictionary());
    return dictionary_;
}

QString LanguageStore::text(std::int64_t languageFlag, const QString& key) {
    return load(languageFlag).value(key);
}

}  // namespace panels
