#pragma once

#include <QFile>
#include <QStringList>
#include <vector>

namespace resourcetests {

// The non-empty lines of a name list in the repository's resources folder, comments left out,
// trimmed: the picture names, or the language keys each with its place.
inline QStringList listLines(const QString& name) {
    QFile file(QStringLiteral(RESOURCE_LISTS_DIR) + "/" + name);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (!line.trimmed().isEmpty() && !line.startsWith('#')) lines << line.trimmed();
        }
    }
    return lines;
}

struct LanguageKey {
    QString key;
    QString place;  // where the text shows
};

// The keys of the language files, each with the place where its text shows.
inline std::vector<LanguageKey> languageKeys() {
    std::vector<LanguageKey> keys;
    for (const QString& line : listLines("language-keys.txt"))
        keys.push_back({line.section('\t', 0, 0), line.section('\t', 1).trimmed()});
    return keys;
}

}  // namespace resourcetests
