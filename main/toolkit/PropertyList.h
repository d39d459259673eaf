#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace tk {

using StringDictionary = QMap<QString, QString>;

// Reads an XML property list whose root is a dictionary and keeps its string entries (the
// language files are such dictionaries). Entries of other types are left out. A missing,
// oversized or malformed file gives nothing and one log line; it never throws.
std::optional<StringDictionary> readPropertyListDictionary(const QString& path);

// The same for a document already in memory; `origin` names it in the log line.
std::optional<StringDictionary> parsePropertyListDictionary(const QByteArray& document,
                                                            const QString& origin);

}  // namespace tk
