#include "main/toolkit/PropertyList.h"

#include <QFile>
#include <QXmlStreamReader>

#include "base/Log.h"

namespace tk {

namespace {

// Far above any language file; keeps a wrong path from pulling a huge file into memory.
constexpr qint64 kMaximumSize = 8 * 1024 * 1024;

std::optional<StringDictionary> rejected(const QString& origin, const QString& reason) {
    base::log(("PropertyList: " + origin + ": " + reason).toStdString());
    return std::nullopt;
}

// Reads the entries of the <dict> the reader stands on, up to its end tag.
std::optional<QString> readDictionary(QXmlStreamReader& xml, StringDictionary& entries) {
    while (xml.readNextStartElement()) {
        if (xml.name() != u"key") return "expected <key>, found <" + xml.name().toString() + ">";
        const QString key = xml.readElementText();
        if (xml.hasError()) return xml.errorString();
        if (!xml.readNextStartElement()) return "key '" + key + "' has no value";
        if (xml.name() == u"string") {
            const QString value = xml.readElementText();
            if (xml.hasError()) return xml.errorString();
            entries.insert(key, value);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) return xml.errorString();
    return std::nullopt;
}

}  // namespace

std::optional<StringDictionary> parsePropertyListDictionary(const QByteArray& document,
                                                            const QString& origin) {
    QXmlStreamReader xml(document);
    if (!xml.readNextStartElement()) {
        return rejected(origin, xml.hasError() ? xml.errorString() : "no root element");
    }
    if (xml.name() != u"plist") return rejected(origin, "root element is not <plist>");
    if (!xml.readNextStartElement()) {
        return rejected(origin, xml.hasError() ? xml.errorString() : "empty <plist>");
    }
    if (xml.name() != u"dict") return rejected(origin, "top-level value is not a dictionary");
    StringDictionary entries;
    if (const auto problem = readDictionary(xml, entries)) return rejected(origin, *problem);
    // Nothing but the closing </plist> may follow the dictionary.
    if (xml.readNextStartElement()) return rejected(origin, "more than one top-level value");
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) return rejected(origin, xml.errorString());
    return entries;
}

std::optional<StringDictionary> readPropertyListDictionary(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return rejected(path, file.errorString());
    if (file.size() > kMaximumSize) return rejected(path, "larger than 8 MiB");
    const QByteArray document = file.read(kMaximumSize + 1);
    if (document.size() > kMaximumSize) return rejected(path, "larger than 8 MiB");
    return parsePropertyListDictionary(document, path);
}

}  // namespace tk
