#include "bluez_test_support.h"

#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace velmora::test {

namespace {

// Debian's interpreter: python3-dbusmock and python3-dbus are installed for it only.
const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kInstallHint = QStringLiteral("apt-get install -y python3-dbusmock dbus");
constexpr int kStartTimeoutMs = 10000;
constexpr int kCallTimeoutMs = 5000;

QString g_busProblem = QStringLiteral("the private system bus was never started");

QString testFile(const char* name) {
    return QStringLiteral(VELMORA_BLUEZ_TEST_DIR "/") + QLatin1String(name);
}

// Helpers die with the test process, even when it crashes.
void dieWithParent(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

bool dbusmockInstalled() {
    if (!QFileInfo(kPython).isExecutable()) return false;
    QProcess probe;
    probe.start(kPython, {QStringLiteral("-c"), QStringLiteral("import dbus, dbusmock")});
    return probe.waitForFinished(kStartTimeoutMs) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

bool nameOwned(const QString& name) {
    return QDBusConnection::systemBus().interface()->isServiceRegistered(name).value();
}

}  // namespace

void PrivateSystemBus::SetUp() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty() || !dbusmockInstalled()) {
        g_busProblem =
            "dbus-daemon or python3-dbusmock is missing; install them with: " + kInstallHint;
        return;
    }
    dieWithParent(m_daemon);
    m_daemon.start(daemon,
                   {"--config-file=" + testFile("test-system-bus.conf"), QStringLiteral("--nofork"),
                    QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(kStartTimeoutMs)) {
    }
    const QByteArray address = m_daemon.readLine().trimmed();
    if (address.isEmpty()) {
        g_busProblem = "dbus-daemon did not start: " + m_daemon.readAllStandardError();
        return;
    }
    // Read by Qt when it first opens the system bus, and inherited by the stand-in.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    g_busProblem.clear();
}

void PrivateSystemBus::TearDown() {
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(kStartTimeoutMs)) m_daemon.kill();
}

QString PrivateSystemBus::problem() {
    return g_busProblem;
}

bool waitForBusName(const QString& name, bool owned, int timeoutMs) {
    QDBusServiceWatcher watcher(name, QDBusConnection::systemBus(),
                                QDBusServiceWatcher::WatchForOwnerChange);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceOwnerChanged, &loop,
                     [&](const QString&, const QString&, const QString& newOwner) {
                         if (newOwner.isEmpty() != owned) loop.quit();
                     });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    // Asked after the watcher exists, so a change in between is not missed.
    if (nameOwned(name) != owned) loop.exec();
    return nameOwned(name) == owned;
}

pid_t currentThreadId() {
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

bool waitUntilAsleep(pid_t thread, std::chrono::milliseconds timeout) {
    const std::string statPath = "/proc/self/task/" + std::to_string(thread) + "/stat";
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        std::ifstream file(statPath);
        std::string stat;
        std::getline(file, stat);
        // "tid (name) S ...": the state follows the parenthesised name.
        const auto nameEnd = stat.rfind(')');
        if (nameEnd != std::string::npos && stat.size() > nameEnd + 2 && stat[nameEnd + 2] == 'S') {
            return true;
        }
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

FakeBluez::~FakeBluez() {
    stop();
}

QString FakeBluez::start() {
    if (!PrivateSystemBus::problem().isEmpty()) return PrivateSystemBus::problem();
    dieWithParent(m_process);
    m_process.setStandardOutputFile(QProcess::nullDevice());  // the mock logs every call
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(kPython,
                    {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                     QStringLiteral("--template"), testFile("fake_bluez.py")});
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        return "cannot run " + kPython + ": " + m_process.errorString();
    }
    if (!waitForBusName(QStringLiteral("org.bluez"), true, kStartTimeoutMs)) {
        return QStringLiteral("the BlueZ stand-in did not appear on the bus (see its output)");
    }
    return {};
}

void FakeBluez::stop() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(kStartTimeoutMs)) m_process.kill();
    m_process.waitForFinished(kStartTimeoutMs);
    // The next test must not meet this instance's name on the bus.
    waitForBusName(QStringLiteral("org.bluez"), false, kStartTimeoutMs);
}

QString FakeBluez::addAdapter(const QString& name) {
    return mockCall(QStringLiteral("AddAdapter"), {name, QStringLiteral("velmora-test")})
        .arguments()
        .value(0)
        .toString();
}

void FakeBluez::addDevice(const QString& adapter, const QString& address, const QString& name) {
    mockCall(QStringLiteral("AddDevice"), {adapter, address, name});
}

void FakeBluez::addUnnamedDevice(const QString& adapter, const QString& address,
                                 const QString& alias) {
    mockCall(QStringLiteral("AddUnnamedDevice"), {adapter, address, alias});
}

void FakeBluez::pairDevice(const QString& adapter, const QString& address) {
    constexpr int kSerialDeviceClass =
        0x001f00;  // "uncategorized", as cheap serial adapters report
    mockCall(QStringLiteral("PairDevice"), {adapter, address, kSerialDeviceClass});
}

void FakeBluez::setReachable(const QString& adapter, const QString& address, bool reachable) {
    mockCall(QStringLiteral("SetReachable"), {adapter, address, reachable});
}

void FakeBluez::setPowered(const QString& adapterPath, bool powered) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.bluez"), adapterPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Set"));
    message << QStringLiteral("org.bluez.Adapter1") << QStringLiteral("Powered")
            << QVariant::fromValue(QDBusVariant(powered));
    call(message);
}

bool FakeBluez::powered(const QString& adapterPath) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.bluez"), adapterPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    message << QStringLiteral("org.bluez.Adapter1") << QStringLiteral("Powered");
    return call(message).arguments().value(0).value<QDBusVariant>().variant().toBool();
}

void FakeBluez::pushData(const QByteArray& bytes) {
    mockCall(QStringLiteral("PushData"), {bytes});
}

void FakeBluez::dropConnections() {
    mockCall(QStringLiteral("DropConnections"), {});
}

QDBusMessage FakeBluez::mockCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.bluez"), QStringLiteral("/"), QStringLiteral("org.bluez.Mock"), method);
    message.setArguments(arguments);
    return call(message);
}

QDBusMessage FakeBluez::call(QDBusMessage message) {
    const QDBusMessage reply =
        QDBusConnection::systemBus().call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        throw std::runtime_error(QStringLiteral("BlueZ stand-in, %1: %2 %3")
                                     .arg(message.member(), reply.errorName(), reply.errorMessage())
                                     .toStdString());
    }
    return reply;
}

}  // namespace velmora::test
