#include <gtest/gtest.h>

#include "bluetooth/BleUuid.h"

namespace bluetooth {
namespace {

TEST(BleUuidTest, ShortIdentifiersReadAsFourDigitsOthersKeepTheirFullFormAndNonsenseIsNull) {
    EXPECT_EQ(uuidText(QBluetoothUuid(quint16(0x0A))), "000A");
    EXPECT_EQ(uuidText(QBluetoothUuid(QString("0000ffe1-0000-1000-8000-00805f9b34fb"))), "FFE1");
    const QBluetoothUuid custom(QString("{6e400001-b5a3-f393-e0a9-e50e24dcca9e}"));
    EXPECT_EQ(uuidText(custom), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
    EXPECT_EQ(uuidFromText(uuidText(custom)), custom);
    // The forms the link and BlueZ use.
    for (const char* ffe0 : {"FFE0", "ffe0", "0xFFE0", "0000ffe0-0000-1000-8000-00805f9b34fb",
                             "{0000FFE0-0000-1000-8000-00805F9B34FB}"})
        EXPECT_EQ(uuidFromText(ffe0), QBluetoothUuid(quint16(0xFFE0))) << ffe0;
    for (const char* nonsense : {"", "FFZ0", "not-a-uuid"})
        EXPECT_TRUE(uuidFromText(nonsense).isNull()) << nonsense;
}

}  // namespace
}  // namespace bluetooth
