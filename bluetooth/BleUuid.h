#pragma once

#include <QBluetoothUuid>
#include <string>

namespace bluetooth {

// The link names GATT identifiers the way the chair's documentation does: "FFE0" for a
// 16-bit identifier on the Bluetooth base, the full form for anything else.
std::string uuidText(const QBluetoothUuid& uuid);

// Reads "FFE0", "0xffe0", "0000ffe0-0000-1000-8000-00805f9b34fb" or a braced full form. Text
// that is none of these gives a null identifier.
QBluetoothUuid uuidFromText(const std::string& text);

}  // namespace bluetooth
