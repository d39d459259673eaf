#include <gtest/gtest.h>

#include "bluetooth/BleUuid.h"

namespace bluetooth {
namespace {

TEST(BleUuidTest, ShortIdentifiersOnTheBaseReadAsFourUpperCaseDigits) {
    EXPECT_EQ(uuidText(QBluetoothUuid(quint16(0xFFE0))), "FFE0");
    EXPECT_EQ(uuidText(QBluetoothUuid(QString("0000ffe1-0000-1000-8000-00805f9b34fb"))), "FFE1");
    EXPECT_EQ(uuidText(QBluetoothUuid(quint16(0x0A))), "000A");
}

TEST(BleUuidTest, OtherIdentifiersKeepTheirFullForm) {
    const QBluetoothUuid custom(QString("{6e400001-b5a3-f393-e0a9-e50e24dcca9e}"));
    EXPECT_EQ(uuidText(custom), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
    EXPECT_EQ(uuidFromText(uuidText(custom)), custom);
}

TEST(BleUuidTest, ReadsTheFormsTheLinkAndBlueZUse) {
    const QBluetoothUuid ffe0(quint16(0xFFE0));
    EXPECT_EQ(uuidFromText("FFE0"), ffe0);
    EXPECT_EQ(uuidFromText("ffe0"), ffe0);
    EXPECT_EQ(uuidFromText("0xFFE0"), ffe0);
    EXPECT_EQ(uuidFromText("0000ffe0-0000-1000-8000-00805f9b34fb"), ffe0);
    EXPECT_EQ(uuidFromText("{0000FFE0-0000-1000-8000-00805F9B34FB}"), ffe0);
}

TEST(BleUuidTest, NonsenseGivesANullIdentifier) {
    EXPECT_TRUE(uuidFromText("").isNull());
    EXPECT_TRUE(uuidFromText("FFZ0").isNull());
    EXPECT_TRUE(uuidFromText("not-a-uuid").isNull());
}

}  // namespace
}  // namespace bluetooth
