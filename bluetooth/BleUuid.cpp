#include "bluetooth/BleUuid.h"

#include <QString>

namespace bluetooth {

std::string uuidText(const QBluetoothUuid& uuid) {
    bool isShort = false;
    const quint16 shortForm = uuid.toUInt16(&isShort);
    if (isShort)
        return QString::number(shortForm, 16).rightJustified(4, u'0').toUpper().toStdString();
    return uuid.toString(QUuid::WithoutBraces).toUpper().toStdString();
}

QBluetoothUuid uuidFromText(const std::string& text) {
    QString value = QString::fromStdString(text).trimmed();
    if (value.startsWith(u"0x", Qt::CaseInsensitive)) value = value.mid(2);
    if (value.size() == 4) {
        bool ok = false;
        const uint shortForm = value.toUInt(&ok, 16);
        return ok ? QBluetoothUuid(static_cast<quint16>(shortForm)) : QBluetoothUuid();
    }
    return QBluetoothUuid(value);
}

}  // namespace bluetooth
