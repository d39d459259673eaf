#include "panels/LanguageFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include "base/Log.h"
#include "main/toolkit/Bundle.h"

namespace panels {

namespace {
// Reads the entries of the <dict> the reader stands in, up to its end tag.
void readDictionary(QXmlStreamReader& xml, LanguageDictionary& out) {
    QString key;
    bool haveKey = false;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == u"key") {
            key = xml.readElementText();
            haveKey = true;
        } else if (name == u"string" && haveKey) {
            out.insert(key, xml.readElementText());
            haveKey = false;
        } else {
            xml.skipCurrentElement();  // a value of another type, or one without a key
            haveKey = false;
        }
    }
}
}  // namespace

LanguageDictionary parseLanguageFile(const QByteArray& text, const QString& origin) {
    LanguageDictionary dictionary;
    QXmlStreamReader xml(text);
    if (xml.readNextStartElement() && xml.name() == u"plist" && xml.readNextStartElement() &&
        xml.name() == u"dict") {
        readDictionary(xml, dictionary);
    } else if (!xml.hasError()) {
        xml.raiseError("no top-level dictionary");
    }
    if (xml.hasError()) {
        base::log("Language file " + origin.toStdString() +
                  " is unreadable: " + xml.errorString().toStdString());
        return {};
    }
    return dictionary;
}

LanguageDictionary readLanguageFile(const tk::Bundle& bundle, const QString& resource) {
    const auto path = bundle.pathForResource(resource, "plist");
    if (!path) return {};
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return parseLanguageFile(file.readAll(), resource + ".plist");
}

}  // namespace panels
