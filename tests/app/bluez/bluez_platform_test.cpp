#include <gtest/gtest.h>

#include <chrono>

#include "bluez_test_support.h"
#include "link/bluez/BluezPlatform.h"

namespace velmora {
namespace {

using std::chrono::steady_clock;
using test::FakeBluez;

const QString kAdapter = QStringLiteral("hci0");
const QString kCharger = QStringLiteral("BB:22:33:44:55:01");
const QString kPrinter = QStringLiteral("CC:22:33:44:55:02");
const QString kPhone = QStringLiteral("AA:22:33:44:55:03");

// A fresh bluetoothd stand-in with one powered adapter and no devices.
class BluezPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString problem = m_bluez.start();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        m_adapterPath = m_bluez.addAdapter(kAdapter);
    }

    FakeBluez m_bluez;
    QString m_adapterPath;
    BluezPlatform m_platform;
};

// The bus runs but nothing owns org.bluez, as when bluetoothd is not running.
class BluezPlatformWithoutDaemonTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString problem = test::PrivateSystemBus::problem();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    }

    BluezPlatform m_platform;
};

QStringList describe(const QList<DeviceInfo>& devices) {
    QStringList lines;
    for (const auto& device : devices) {
        lines << device.name + " " + device.address + (device.paired ? " paired" : "");
    }
    return lines;
}

TEST_F(BluezPlatformTest, ListsOnlyPairedDevicesInBluezOrder) {
    // Added so that bluetoothd's order differs from the order of the object paths.
    m_bluez.addDevice(kAdapter, kPrinter, "VT-Printer");
    m_bluez.addDevice(kAdapter, kPhone, "Phone");
    m_bluez.addDevice(kAdapter, kCharger, "VT-Charger");
    m_bluez.pairDevice(kAdapter, kPrinter);
    m_bluez.pairDevice(kAdapter, kCharger);

    EXPECT_EQ(
        describe(m_platform.pairedDevices()),
        QStringList({"VT-Printer " + kPrinter + " paired", "VT-Charger " + kCharger + " paired"}));
}

TEST_F(BluezPlatformTest, NothingPairedGivesAnEmptyList) {
    m_bluez.addDevice(kAdapter, kPhone, "Phone");

    EXPECT_TRUE(m_platform.pairedDevices().isEmpty());
}

TEST_F(BluezPlatformTest, DeviceWithoutNameIsListedByAlias) {
    m_bluez.addUnnamedDevice(kAdapter, kCharger, "Charger in the garage");

    EXPECT_EQ(describe(m_platform.pairedDevices()),
              QStringList({"Charger in the garage " + kCharger + " paired"}));
}

TEST_F(BluezPlatformTest, DevicesOfASecondAdapterAreLeftOut) {
    m_bluez.addAdapter("hci1");
    m_bluez.addDevice("hci1", kPrinter, "VT-Printer");
    m_bluez.pairDevice("hci1", kPrinter);
    m_bluez.addDevice(kAdapter, kCharger, "VT-Charger");
    m_bluez.pairDevice(kAdapter, kCharger);

    EXPECT_EQ(describe(m_platform.pairedDevices()),
              QStringList({"VT-Charger " + kCharger + " paired"}));
}

TEST_F(BluezPlatformTest, IsPairedAsksBluezAgain) {
    m_bluez.addDevice(kAdapter, kCharger, "VT-Charger");
    const DeviceInfo charger{"VT-Charger", kCharger, true};
    EXPECT_FALSE(m_platform.isPaired(charger));

    m_bluez.pairDevice(kAdapter, kCharger);
    EXPECT_TRUE(m_platform.isPaired(charger));
    EXPECT_TRUE(m_platform.isPaired({"lower case", kCharger.toLower(), true}));
    EXPECT_FALSE(m_platform.isPaired({"gone", kPhone, true}));
}

TEST_F(BluezPlatformTest, RadioIsPresentWhileTheAdapterIsPowered) {
    EXPECT_TRUE(m_platform.radioPresent());

    m_bluez.setPowered(m_adapterPath, false);
    EXPECT_FALSE(m_platform.radioPresent());
}

TEST(BluezPlatformNoAdapterTest, NoAdapterMeansNoRadioAndNoDevices) {
    FakeBluez bluez;
    const QString problem = bluez.start();
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    BluezPlatform platform;

    EXPECT_FALSE(platform.radioPresent());
    EXPECT_TRUE(platform.pairedDevices().isEmpty());
    EXPECT_NO_THROW(platform.requestEnable());
}

TEST_F(BluezPlatformTest, RequestEnablePowersTheAdapter) {
    m_bluez.setPowered(m_adapterPath, false);
    ASSERT_FALSE(m_bluez.powered(m_adapterPath));

    m_platform.requestEnable();

    EXPECT_TRUE(m_bluez.powered(m_adapterPath));
    EXPECT_TRUE(m_platform.radioPresent());
}

TEST_F(BluezPlatformTest, SocketNeedsABluetoothAddress) {
    EXPECT_THROW(m_platform.createSocket({"serial", "tcp:127.0.0.1:5555", true}, false), LinkError);
}

TEST_F(BluezPlatformWithoutDaemonTest, EveryQueryFailsWithLinkErrorAtOnce) {
    const auto started = steady_clock::now();

    EXPECT_THROW(m_platform.radioPresent(), LinkError);
    EXPECT_THROW(m_platform.pairedDevices(), LinkError);
    EXPECT_THROW(m_platform.isPaired({"VT-Charger", kCharger, true}), LinkError);
    EXPECT_NO_THROW(m_platform.requestEnable());
    EXPECT_LT(steady_clock::now() - started, std::chrono::seconds(2));
}

TEST_F(BluezPlatformWithoutDaemonTest, ConnectingFailsWithLinkError) {
    const auto socket = m_platform.createSocket({"VT-Charger", kCharger, true}, false);

    EXPECT_THROW(socket->connect(), LinkError);
    EXPECT_FALSE(socket->connected());
}

}  // namespace
}  // namespace velmora
