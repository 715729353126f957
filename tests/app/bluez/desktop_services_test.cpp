// The window's desktop comforts against python-dbusmock's logind and notification daemon on
// the private system bus: the sleep inhibitor taken and given back, notifications shown
// with or without the service's own sound.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include "bluez_test_support.h"
#include "shell/desktop/EventNotifier.h"
#include "shell/desktop/KeepAwake.h"
#include "shell/desktop/posix/FreedesktopNotifications.h"
#include "shell/desktop/posix/LogindSleepBlocker.h"

namespace velmora::test {
namespace {

constexpr int kTimeoutMs = 10000;

// One of python-dbusmock's own templates on the private bus, stopped when destroyed.
class MockService {
public:
    MockService(const QString& busName, const QString& path) : m_name(busName), m_path(path) {}
    ~MockService() {
        m_process.terminate();
        if (!m_process.waitForFinished(kTimeoutMs)) m_process.kill();
        m_process.waitForFinished(kTimeoutMs);
        waitForBusName(m_name, false, kTimeoutMs);
    }
    // Empty on success, otherwise why the service did not come up.
    QString start(const QString& templateName, const QString& parameters = {}) {
        if (!PrivateSystemBus::problem().isEmpty()) return PrivateSystemBus::problem();
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("-m"), QStringLiteral("dbusmock"),
                              QStringLiteral("--system"), QStringLiteral("--template"),
                              templateName};
        if (!parameters.isEmpty()) arguments << QStringLiteral("--parameters") << parameters;
        m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
        if (!m_process.waitForStarted(kTimeoutMs)) return m_process.errorString();
        if (!waitForBusName(m_name, true, kTimeoutMs))
            return templateName + QStringLiteral(" did not appear on the bus");
        return {};
    }
    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(m_name, m_path, interface, method);
        message.setArguments(arguments);
        return QDBusConnection::systemBus().call(message, QDBus::Block, kTimeoutMs);
    }
    // The arguments of every call of `method` the service took, oldest first.
    QList<QVariantList> callsOf(const QString& method) {
        const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Mock"),
                                        QStringLiteral("GetMethodCalls"), {method});
        QList<QVariantList> calls;
        if (reply.type() != QDBusMessage::ReplyMessage) return calls;
        const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            quint64 time = 0;
            QVariantList arguments;
            list.beginStructure();
            list >> time >> arguments;
            list.endStructure();
            calls << arguments;
        }
        list.endArray();
        return calls;
    }

private:
    QString m_name, m_path;
    QProcess m_process;
};

// logind's inhibitors: (what, who, why, mode) of each held now.
QList<QStringList> inhibitors(MockService& logind) {
    const QDBusMessage reply = logind.call(QStringLiteral("org.freedesktop.login1.Manager"),
                                           QStringLiteral("ListInhibitors"));
    QList<QStringList> held;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        held << QStringList{what, who, why, mode};
    }
    list.endArray();
    return held;
}

class LogindTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString problem = m_logind.start(QStringLiteral("logind"));
        if (!problem.isEmpty()) GTEST_FAIL() << problem.toStdString();
    }
    MockService m_logind{QStringLiteral("org.freedesktop.login1"),
                         QStringLiteral("/org/freedesktop/login1")};
};

TEST_F(LogindTest, TheInhibitorIsHeldWhileTheLinkIsUpAndGivenBackWhenItEnds) {
    KeepAwake awake(std::make_unique<LogindSleepBlocker>(QDBusConnection::systemBus()));
    EXPECT_TRUE(inhibitors(m_logind).isEmpty());

    awake.follow(true);
    awake.follow(true);  // every tick of the same link: asked once
    ASSERT_TRUE(awake.held());
    const QList<QStringList> held = inhibitors(m_logind);
    ASSERT_EQ(held.size(), 1);
    EXPECT_EQ(held.at(0).at(0), QStringLiteral("sleep:idle"));
    EXPECT_EQ(held.at(0).at(1), QStringLiteral("Velmora Tester"));
    EXPECT_FALSE(held.at(0).at(2).isEmpty());  // the reason the system shows
    EXPECT_EQ(held.at(0).at(3), QStringLiteral("block"));
    EXPECT_EQ(m_logind.callsOf(QStringLiteral("Inhibit")).size(), 1);

    awake.follow(false);  // the link ended: logind sees the descriptor closed
    EXPECT_FALSE(awake.held());
    EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitors(m_logind).isEmpty(); }, kTimeoutMs));

    awake.follow(true);  // the next link takes it again
    EXPECT_TRUE(awake.held());
    EXPECT_EQ(inhibitors(m_logind).size(), 1);
}

TEST_F(LogindTest, ClosingTheWindowGivesTheInhibitorBack) {
    {
        KeepAwake awake(std::make_unique<LogindSleepBlocker>(QDBusConnection::systemBus()));
        awake.follow(true);
        ASSERT_EQ(inhibitors(m_logind).size(), 1);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return inhibitors(m_logind).isEmpty(); }, kTimeoutMs));
}

TEST(KeepAwakeWithoutLogindTest, NoLogindHoldsNothingAndIsNotAskedAgainForTheSameLink) {
    ASSERT_TRUE(PrivateSystemBus::problem().isEmpty()) << PrivateSystemBus::problem().toStdString();
    ASSERT_TRUE(waitForBusName(QStringLiteral("org.freedesktop.login1"), false, kTimeoutMs));
    KeepAwake awake(std::make_unique<LogindSleepBlocker>(QDBusConnection::systemBus()));
    awake.follow(true);
    EXPECT_FALSE(awake.held());
    MockService logind(QStringLiteral("org.freedesktop.login1"),
                       QStringLiteral("/org/freedesktop/login1"));
    ASSERT_TRUE(logind.start(QStringLiteral("logind")).isEmpty());
    awake.follow(true);  // refused for this link: the window does not ask every second
    EXPECT_TRUE(inhibitors(logind).isEmpty());
    awake.follow(false);
    awake.follow(true);  // a new link asks again, and gets it now
    EXPECT_TRUE(awake.held());
    EXPECT_EQ(inhibitors(logind).size(), 1);
}

struct NotifyCase {
    const char* name;
    const char* capabilities;  // the daemon's; empty: no daemon at all
    bool shownByDaemon;
    int soundsOfOurOwn;
};

class NotificationsTest : public ::testing::TestWithParam<NotifyCase> {};

TEST_P(NotificationsTest, AResultIsShownWithOneSound) {
    const NotifyCase& c = GetParam();
    MockService daemon(QStringLiteral("org.freedesktop.Notifications"),
                       QStringLiteral("/org/freedesktop/Notifications"));
    if (*c.capabilities) {
        const QString parameters =
            QStringLiteral("{\"capabilities\": \"%1\"}").arg(QString::fromLatin1(c.capabilities));
        ASSERT_TRUE(daemon.start(QStringLiteral("notification_daemon"), parameters).isEmpty());
    }
    EventNotifier notifier(
        nullptr, std::make_unique<FreedesktopNotifications>(QDBusConnection::systemBus()));
    notifier.setEnabled(true);
    int sounds = 0;
    notifier.setSound([&sounds] { ++sounds; });
    QSignalSpy notified(&notifier, &EventNotifier::notified);

    notifier.notify(QStringLiteral("Pengisian selesai"), QStringLiteral("Hasil: GOOD"));

    ASSERT_EQ(notified.size(), 1);
    EXPECT_EQ(notified.at(0).at(1).toBool(), c.shownByDaemon);
    EXPECT_EQ(sounds, c.soundsOfOurOwn);
    if (!c.shownByDaemon) return;
    const QList<QVariantList> calls = daemon.callsOf(QStringLiteral("Notify"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls.at(0).value(0).toString(), QStringLiteral("Velmora Tester"));
    EXPECT_EQ(calls.at(0).value(3).toString(), QStringLiteral("Pengisian selesai"));
    EXPECT_EQ(calls.at(0).value(4).toString(), QStringLiteral("Hasil: GOOD"));

    notifier.setEnabled(false);  // turned off on the option screen: nothing at all
    notifier.notify(QStringLiteral("Hasil tes aki"), QStringLiteral("GOOD"));
    EXPECT_EQ(daemon.callsOf(QStringLiteral("Notify")).size(), 1);
    EXPECT_EQ(sounds, c.soundsOfOurOwn);
    EXPECT_EQ(notified.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Daemons, NotificationsTest,
                         ::testing::Values(NotifyCase{"DaemonPlaysTheSound", "body sound", true, 0},
                                           NotifyCase{"SilentDaemon", "body", true, 1},
                                           NotifyCase{"NoDaemon", "", false, 1}),
                         [](const ::testing::TestParamInfo<NotifyCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace velmora::test
