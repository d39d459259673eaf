#include "ResourceLists.h"

#include <QFile>
#include <QTextStream>

namespace resourcetests {

namespace {

QStringList lines(const QString& name) {
    QFile file(QStringLiteral(RESOURCE_LISTS_DIR) + "/" + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QStringList result;
    while (!in.atEnd()) result << in.readLine();
    return result;
}

}  // namespace

QStringList pictureNames() {
    QStringList names;
    for (const QString& line : lines("pictures.txt")) {
        if (!line.trimmed().isEmpty()) names << line.trimmed();
    }
    return names;
}

std::vector<LanguageKey> languageKeys() {
    std::vector<LanguageKey> keys;
    for (const QString& line : lines("language-keys.txt")) {
        if (line.startsWith('#') || line.trimmed().isEmpty()) continue;
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            keys.push_back({line.trimmed(), {}});
        } else {
            keys.push_back({line.left(tab), line.mid(tab + 1).trimmed()});
        }
    }
    return keys;
}

}  // namespace resourcetests
