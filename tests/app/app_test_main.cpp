#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// GUI tests share one QApplication; they run on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // The window records every charge under the Documents folder by itself: a test that
    // does not choose a folder must still never write into the user's real one.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");  // the dealer's signing key too
    // Nor reach the user's desktop: no notification pops up and no sleep is held by a test.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-session-bus");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-system-bus");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
