// The whole window over the BlueZ binding on a private bus: a charger that hangs up is
// tried again by itself while it cannot be reached, and monitoring resumes once it can.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

#include "bluez_test_support.h"
#include "link/LinkController.h"
#include "link/bluez/BluezPlatform.h"
#include "shell/TVLForm.h"

namespace velmora {
namespace {

const QString kAdapter = QStringLiteral("hci0");
const QString kCharger = QStringLiteral("BB:22:33:44:55:01");

class BluezReconnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester")).clear();
        const QString problem = m_bluez.start();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        m_bluez.addAdapter(kAdapter);
        m_bluez.addDevice(kAdapter, kCharger, "VT-Charger");
        m_bluez.pairDevice(kAdapter, kCharger);
        ASSERT_TRUE(m_documents.isValid());
        m_window = std::make_unique<TVLForm>(std::make_unique<BluezPlatform>(), 1366);
        m_window->setDocumentsFolder(m_documents.path());
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    }
    void TearDown() override { m_window.reset(); }

    // Refresh ticks, as the window's timer gives them, until `done`.
    bool tickUntil(const std::function<bool()>& done, int deadlineMs = 20000) {
        QDeadlineTimer deadline(deadlineMs);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            m_window->TimerloopTimer();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(1);
        }
        return true;
    }
    bool showsStage(int stage) { return m_window->state().snapshot().stageNumber == stage; }

    test::FakeBluez m_bluez;
    QTemporaryDir m_documents;
    std::unique_ptr<TVLForm> m_window;
    QStringList m_messages;
};

TEST_F(BluezReconnectTest, AChargerThatHangsUpIsReconnectedByItselfOnceReachable) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{1}, 1, 600000});
    m_window->FormShow();
    m_window->BTConnectionClick();
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_TRUE(finished.at(0).at(0).toBool());
    m_bluez.pushData("#|1|3|1400|1000|10|80|*\r\n");
    ASSERT_TRUE(tickUntil([&] { return showsStage(3); }));

    m_bluez.setReachable(kAdapter, kCharger, false);
    m_bluez.dropConnections();
    // Tried again and again while out of reach, one attempt at a time, quietly.
    ASSERT_TRUE(tickUntil([&] { return links.lostCharger() && links.reconnectAttempt() >= 3; }));
    EXPECT_TRUE(links.reconnecting());
    EXPECT_FALSE(m_window->link().readerRunning());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();

    m_bluez.setReachable(kAdapter, kCharger, true);
    QElapsedTimer sinceReachable;
    sinceReachable.start();
    ASSERT_TRUE(tickUntil([&] { return links.chargerLinkUp() && !m_window->connecting(); }));
    const qint64 reconnectMs = sinceReachable.elapsed();
    EXPECT_TRUE(m_window->link().readerRunning());
    EXPECT_FALSE(links.lostCharger());
    m_bluez.pushData("#|1|4|1450|800|1900|85|*\r\n");
    ASSERT_TRUE(tickUntil([&] { return showsStage(4); }));
    RecordProperty("reconnectMs", static_cast<int>(reconnectMs));
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

}  // namespace
}  // namespace velmora
