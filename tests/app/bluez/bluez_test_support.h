#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <QByteArray>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QVariantList>
#include <chrono>

namespace velmora::test {

// A private D-Bus system bus for this test process. Qt connects to the system bus once
// per process, so the bus outlives the single tests and each test brings its own BlueZ.
class PrivateSystemBus : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    // Empty when the bus runs; otherwise what is missing, for the test to report.
    static QString problem();

private:
    QProcess m_daemon;
};

// The python-dbusmock bluetoothd stand-in (fake_bluez.py) on the private bus, driven
// through its org.bluez.Mock interface. Stopped, and gone from the bus, when destroyed.
class FakeBluez {
public:
    FakeBluez() = default;
    ~FakeBluez();
    FakeBluez(const FakeBluez&) = delete;
    FakeBluez& operator=(const FakeBluez&) = delete;

    // Empty on success, otherwise why the stand-in did not come up.
    QString start();
    void stop();

    QString addAdapter(const QString& name);  // "hci0" -> "/org/bluez/hci0"
    void addDevice(const QString& adapter, const QString& address, const QString& name);
    void addUnnamedDevice(const QString& adapter, const QString& address, const QString& alias);
    void pairDevice(const QString& adapter, const QString& address);
    void setReachable(const QString& adapter, const QString& address, bool reachable);
    void setPowered(const QString& adapterPath, bool powered);
    bool powered(const QString& adapterPath);
    void pushData(const QByteArray& bytes);
    void dropConnections();

private:
    QDBusMessage mockCall(const QString& method, const QVariantList& arguments);
    QDBusMessage call(QDBusMessage message);

    QProcess m_process;
};

// Waits, with an event loop, until the bus name is owned (or free); false at the deadline.
bool waitForBusName(const QString& name, bool owned, int timeoutMs);

// The kernel's id of the calling thread.
pid_t currentThreadId();
// Waits until that thread of this process is asleep (in a blocking wait); false at the
// deadline. Lets a test act while another thread is inside a blocking call, not before.
bool waitUntilAsleep(pid_t thread, std::chrono::milliseconds timeout);

}  // namespace velmora::test
