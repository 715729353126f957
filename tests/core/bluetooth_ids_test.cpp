#include <gtest/gtest.h>

#include "link/BluetoothIds.h"
#include "link/BluetoothStack.h"

using namespace velmora;

TEST(BluetoothAddressTest, TextRoundTripsMostSignificantByteFirst) {
    EXPECT_EQ(formatBluetoothAddress(0x0011223344AAull), "00:11:22:33:44:AA");
    EXPECT_EQ(parseBluetoothAddress("00:11:22:33:44:AA"), 0x0011223344AAull);
    EXPECT_EQ(parseBluetoothAddress("fe:dc:ba:98:76:54"), 0xFEDCBA987654ull);
    EXPECT_EQ(formatBluetoothAddress(*parseBluetoothAddress("fe:dc:ba:98:76:54")),
              "FE:DC:BA:98:76:54");
}

TEST(BluetoothAddressTest, AnythingElseIsRejected) {
    for (const char* text :
         {"", "00:11:22:33:44", "00:11:22:33:44:55:66", "00-11-22-33-44-55", "0:11:22:33:44:55",
          "00:11:22:33:44:5G", "sim:charger", "tcp:127.0.0.1:5555", "00:11:22:33:44:55 "})
        EXPECT_FALSE(parseBluetoothAddress(text)) << text;
}

TEST(UuidTest, SerialPortServiceInGuidLayout) {
    for (const char* text : {"{00001101-0000-1000-8000-00805F9B34FB}", kSerialPortUuid,
                             "00001101-0000-1000-8000-00805f9b34fb"}) {
        auto uuid = parseUuid(text);
        ASSERT_TRUE(uuid) << text;
        EXPECT_EQ(uuid->data1, 0x00001101u);
        EXPECT_EQ(uuid->data2, 0x0000u);
        EXPECT_EQ(uuid->data3, 0x1000u);
        const std::array<std::uint8_t, 8> tail{0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB};
        EXPECT_EQ(uuid->data4, tail);
    }
}

TEST(UuidTest, MalformedTextIsRejected) {
    for (const char* text :
         {"", "{}", "{00001101-0000-1000-8000-00805F9B34FB", "00001101-0000-1000-800000805F9B34FB",
          "00001101-0000-1000-8000-00805F9B34F", "0001101-0000-1000-8000-00805F9B34FB0",
          "00001101-0000-1000-8000-00805F9B34FBX"})
        EXPECT_FALSE(parseUuid(text)) << text;
}
