#include "main/toolkit/UserDefaults.h"

#include <QStandardPaths>

#include "base/Log.h"

namespace tk {

QString UserDefaults::defaultFile() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    return dir + "/user-defaults.ini";
}

UserDefaults::UserDefaults(const QString& file)
    : settings_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

qint64 UserDefaults::integerForKey(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid()) return 0;
    bool ok = false;
    const qint64 number = value.toString().trimmed().toLongLong(&ok);
    if (!ok) {
        base::log("UserDefaults: \"" + key.toStdString() + "\" is not a whole number, reads 0");
        return 0;
    }
    return number;
}

void UserDefaults::setInteger(qint64 value, const QString& key) {
    settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        base::log("UserDefaults: could not write " + settings_->fileName().toStdString());
    }
}

QString UserDefaults::fileName() const {
    return settings_->fileName();
}

}  // namespace tk
