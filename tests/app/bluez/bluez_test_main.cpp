#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "bluez_test_support.h"

// QtDBus needs an application object; the window's tests draw on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Remembered devices and the journal stay out of the user's own folders.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    // Qt asks bluetoothd's binary for its version to choose between its D-Bus backend and
    // raw kernel sockets; the stand-in is a python process, so name a current BlueZ.
    qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new velmora::test::PrivateSystemBus);
    return RUN_ALL_TESTS();
}
