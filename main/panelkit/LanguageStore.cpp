#include "main/panelkit/LanguageStore.h"

#include <QFile>

#include "base/Log.h"
#include "main/toolkit/Bundle.h"

namespace panels {

LanguageStore::LanguageStore(tk::Bundle& bundle) : bundle_(bundle) {}

const LanguageDictionary& LanguageStore::load(std::int64_t languageFlag) {
    const char* resource = languageFlag == kChinese   ? "zh"
                           : languageFlag == kEnglish ? "en"
                                                      : nullptr;
    if (!resource) return dictionary_;
    // The Info panel asks on every running report. Reading the file is cheap, parsing it is
    // not, so a file whose bytes are what they were last time is not parsed again.
    Parsed& parsed = parsed_[languageFlag];
    const std::optional<QByteArray> document = readDocument(resource);
    if (!document) {
        // Said once while it stays away: the Info panel would repeat it every second.
        if (!parsed.missingReported) {
            base::log(std::string("Language file ") + resource + "." + kType +
                      " is missing or unreadable; its texts stay empty");
        }
        parsed = Parsed{std::nullopt, {}, true};
        dictionary_ = LanguageDictionary();
        return dictionary_;
    }
    if (parsed.document && *document == *parsed.document) {
        dictionary_ = parsed.dictionary;
        return dictionary_;
    }
    const std::optional<LanguageDictionary> read = bundle_.dictionary(resource);
    dictionary_ = read.value_or(LanguageDictionary());
    // Only what parsed is kept, so a broken file is reported on every load as before.
    parsed = read ? Parsed{document, *read} : Parsed{};
    return dictionary_;
}

std::optional<QByteArray> LanguageStore::readDocument(const char* resource) const {
    const std::optional<QString> path = bundle_.pathForResource(resource, kType);
    if (!path) return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

QString LanguageStore::text(std::int64_t languageFlag, const QString& key) {
    return load(languageFlag).value(key);
}

}  // namespace panels
