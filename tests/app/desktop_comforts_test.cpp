// The window keeps the computer awake while a charger link is up and says the end of a
// charge, a test result or a charger given up on, unless turned off on the option screen.
#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>

#include "gui_wait.h"
#include "link/LinkController.h"
#include "shell/desktop/EventNotifier.h"
#include "shell/desktop/KeepAwake.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// Counts what the system was asked.
struct SleepLog {
    int blocks = 0, unblocks = 0;
    bool blocked() const { return blocks > unblocks; }
};
class FakeSleepBlocker : public SleepBlocker {
public:
    explicit FakeSleepBlocker(std::shared_ptr<SleepLog> log) : m_log(std::move(log)) {}
    bool block() override {
        ++m_log->blocks;
        return true;
    }
    void unblock() override { ++m_log->unblocks; }

private:
    std::shared_ptr<SleepLog> m_log;
};

class FakeNotifications : public NotificationService {
public:
    explicit FakeNotifications(std::shared_ptr<QStringList> shown) : m_shown(std::move(shown)) {}
    Shown show(const QString& title, const QString& body) override {
        *m_shown << title + QStringLiteral(" | ") + body;
        return Shown::WithSound;
    }

private:
    std::shared_ptr<QStringList> m_shown;
};

class DesktopComfortsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_window->findChild<KeepAwake*>()->setBlocker(std::make_unique<FakeSleepBlocker>(m_sleep));
        m_notifier = m_window->findChild<EventNotifier*>();
        m_notifier->setService(std::make_unique<FakeNotifications>(m_shown));
        m_notifier->setSound([this] { ++m_sounds; });
        m_window->FormShow();
    }
    bool tickUntil(const std::function<bool()>& done) {
        return processEventsUntil([&] {
            m_window->TimerloopTimer();
            return done();
        });
    }

    std::shared_ptr<SleepLog> m_sleep = std::make_shared<SleepLog>();
    std::shared_ptr<QStringList> m_shown = std::make_shared<QStringList>();
    EventNotifier* m_notifier = nullptr;
    int m_sounds = 0;
};

TEST_F(DesktopComfortsTest, TheComputerStaysAwakeExactlyWhileAChargerLinkIsUp) {
    EXPECT_FALSE(m_sleep->blocked());
    ASSERT_TRUE(connectCharger());
    EXPECT_TRUE(m_sleep->blocked());
    for (int tick = 0; tick < 3; ++tick) m_window->TimerloopTimer();
    EXPECT_EQ(m_sleep->blocks, 1);  // held once, not asked again every second

    // The link drops: let go, then held again once the charger is back.
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return !m_sleep->blocked(); }));
    ASSERT_TRUE(connectCharger());
    EXPECT_TRUE(m_sleep->blocked());

    // Handed to a Bluetooth printer, the refresh stops: the hand-over itself lets go.
    m_window->BTPrintClick();
    m_window->control<QComboBox>(QStringLiteral("ComboDevice"))->setCurrentIndex(1);
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(m_sleep->blocked());
    EXPECT_EQ(m_sleep->blocks, m_sleep->unblocks);
}

TEST_F(DesktopComfortsTest, AFinishedChargeATestResultAndAGivenUpChargerAreSaidOnce) {
    ASSERT_TRUE(connectCharger());
    setState([](ChargerState& s) {
        s.after.status = "GOOD";
        s.afterResultTag = "5";
    });
    m_window->TimerloopTimer();
    m_window->TimerloopTimer();  // a result is said once, not on every tick
    setState([](ChargerState& s) {
        s.test.status = "REPLACE";
        s.test.cca = 180;
        s.testResultTag = "0";
    });
    m_window->TimerloopTimer();
    ASSERT_EQ(m_shown->size(), 2) << m_shown->join(" / ").toStdString();
    EXPECT_EQ(m_shown->at(0), QStringLiteral("Pengisian selesai | Hasil setelah pengisian: GOOD"));
    EXPECT_EQ(m_shown->at(1), QStringLiteral("Hasil tes aki | REPLACE, CCA 180"));
    EXPECT_EQ(m_sounds, 0);  // the desktop played its own

    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{10}, 10, 200});
    m_bt->refuseConnect = true;
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return links.reconnectGaveUp(); }));
    for (int tick = 0; tick < 3; ++tick) m_window->TimerloopTimer();
    ASSERT_EQ(m_shown->size(), 3);
    EXPECT_TRUE(m_shown->at(2).startsWith(QStringLiteral("Koneksi charger terputus | VELMORA-CHG")))
        << m_shown->at(2).toStdString();
}

TEST_F(DesktopComfortsTest, TurnedOffOnTheOptionScreenNothingIsSaidAndTheChoiceIsKept) {
    auto* check = control<QCheckBox>("CheckNotify");
    EXPECT_TRUE(check->isChecked());  // on unless turned off
    check->setChecked(false);
    ASSERT_TRUE(connectCharger());
    setState([](ChargerState& s) {
        s.after.status = "GOOD";
        s.afterResultTag = "5";
    });
    m_window->TimerloopTimer();
    EXPECT_TRUE(m_shown->isEmpty());
    EXPECT_EQ(m_sounds, 0);

    m_window.reset();  // the next start remembers it
    m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
    EXPECT_FALSE(m_window->control<QCheckBox>(QStringLiteral("CheckNotify"))->isChecked());
}

}  // namespace
