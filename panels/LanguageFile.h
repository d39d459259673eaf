#pragma once

#include <QString>

#include "panels/LanguageStore.h"

namespace tk {
class Bundle;
}

namespace panels {

// Reads the bundle's language file "<resource>.plist": an XML property list whose top-level
// dictionary maps keys to strings. Entries of other types are skipped. A missing or malformed
// file gives an empty dictionary and, when malformed, one log line.
LanguageDictionary readLanguageFile(const tk::Bundle& bundle, const QString& resource);

// The same from XML text; `origin` names the source in the log line.
LanguageDictionary parseLanguageFile(const QByteArray& xml, const QString& origin);

}  // namespace panels
