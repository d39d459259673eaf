#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace resourcetests {

// The picture names, one a line, as the screens use them.
QStringList pictureNames();

struct LanguageKey {
    QString key;
    QString place;  // where the text shows
};

// The keys of the language files with the place of each; comment lines left out.
std::vector<LanguageKey> languageKeys();

}  // namespace resourcetests
