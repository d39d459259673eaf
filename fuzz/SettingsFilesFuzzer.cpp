// Any bytes as a language file (property list) and as the settings file (INI). Checked on
// every input: reading never crashes, a file reads as the same document in memory does, and
// every stored value reads as the whole number it holds, or 0.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "QtFuzzApp.h"
#include "base/Log.h"
#include "main/toolkit/PropertyList.h"
#include "main/toolkit/UserDefaults.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir* scratch = [] {
        base::setLogSink([](const std::string&) {});
        fuzz::quietQt();
        return fuzz::keptUntilExit(new QTemporaryDir());
    }();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // A language file read from disk says what the same document in memory says.
    const QString languageFile = scratch->filePath("en.plist");
    {
        QFile file(languageFile);
        fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        file.write(bytes);
    }
    fuzz::check(tk::readPropertyListDictionary(languageFile) ==
                    tk::parsePropertyListDictionary(bytes, "fuzz input"),
                "a language file reads otherwise from disk");

    const QString path = scratch->filePath("user-defaults.ini");
    {
        QFile file(path);
        fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        file.write(bytes);
    }
    tk::UserDefaults defaults(path);
    QSettings raw(path, QSettings::IniFormat);
    QStringList keys = raw.allKeys();
    keys << "languageFlag";
    for (const QString& key : keys) {
        const qint64 value = defaults.integerForKey(key);
        bool whole = false;
        const qint64 stored = raw.value(key).toString().trimmed().toLongLong(&whole);
        fuzz::check(value == (whole ? stored : 0), "a stored number read wrongly");
    }
    return 0;
}
