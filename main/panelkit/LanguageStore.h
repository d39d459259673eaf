#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "main/toolkit/PropertyList.h"

namespace tk {
class Bundle;
}

namespace panels {

// Display texts by key, as one language file holds them.
using LanguageDictionary = tk::StringDictionary;

// The shared loader of the language dictionary: flag 0 reads the bundle's "zh.plist", flag 1
// "en.plist", each time it is asked (so a changed file is picked up; bytes unchanged since
// the last load are not parsed again); any other flag gives the dictionary loaded last. A
// missing or unreadable file gives an empty dictionary, so every look-up then gives no text. One
// per app, owned by whoever builds the screens. Main thread only.
class LanguageStore {
public:
    static constexpr std::int64_t kChinese = 0;
    static constexpr std::int64_t kEnglish = 1;

    explicit LanguageStore(tk::Bundle& bundle);

    const LanguageDictionary& load(std::int64_t languageFlag);
    const LanguageDictionary& current() const { return dictionary_; }

    // The text of `key` in the given language; empty when the key has none.
    QString text(std::int64_t languageFlag, const QString& key);

private:
    static constexpr const char* kType = "plist";
    // The bytes a language file held when it last parsed, and what they gave.
    struct Parsed {
        std::optional<QByteArray> document;
        LanguageDictionary dictionary;
        bool missingReported = false;  // its absence is logged already
    };
    std::optional<QByteArray> readDocument(const char* resource) const;

    tk::Bundle& bundle_;
    LanguageDictionary dictionary_;
    Parsed parsed_[2];  // by language flag
};

}  // namespace panels
