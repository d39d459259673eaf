#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace tk {

// Integer user defaults kept in an INI file, written through at once so values survive a
// crash or kill as well as a restart. Main thread only.
class UserDefaults {
public:
    // The file the app uses unless `--settings FILE` names another.
    static QString defaultFile();

    explicit UserDefaults(const QString& file);

    // A missing key, or a value that is not a whole number, reads 0.
    qint64 integerForKey(const QString& key) const;
    void setInteger(qint64 value, const QString& key);

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tk
