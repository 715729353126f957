#include <gtest/gtest.h>

#include <QCoreApplication>

#include "bluez_test_support.h"

// QtDBus needs an application object; the tests need no display.
int main(int argc, char** argv) {
    // Qt asks bluetoothd's binary for its version to choose between its D-Bus backend and
    // raw kernel sockets; the stand-in is a python process, so name a current BlueZ.
    qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new velmora::test::PrivateSystemBus);
    return RUN_ALL_TESTS();
}
