#pragma once

#include <cstdint>

namespace panels {

// A panel that shows texts of the language files and can show them again in another
// language; the main screen relabels such panels when the user switches the language.
class LanguageAware {
public:
    virtual ~LanguageAware() = default;
    virtual void setLanguageForModeView(std::int64_t languageFlag) = 0;
};

}  // namespace panels
