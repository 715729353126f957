// The window records every charge by itself: points, results, profile and why it ended;
// a journal that cannot be written is told once and never stops the monitoring.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>

#include "gui_wait.h"
#include "journal/Schema.h"
#include "journal/SessionGaps.h"
#include "journal_window_fixture.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "widgets/Language.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

class JournalRecordingTest : public JournalWindowTest {
protected:
    // Waits for the journal's news to reach the window.
    void deliverProblems() {
        m_window->journal().sync();
        QCoreApplication::processEvents();
    }
    // A journal file that is no database.
    void breakJournal() {
        QDir().mkpath(QFileInfo(QString::fromStdString(m_path)).absolutePath());
        QFile broken(QString::fromStdString(m_path));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(8192, 'x'));
    }
    QByteArray fileBytes() {
        QFile file(QString::fromStdString(m_path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// The link drops mid-charge and heals by itself: the charge found going on is the same
// session, its points resuming after the gap, so its end and after-charge result are kept.
TEST_F(JournalRecordingTest, AChargeFoundAgainAfterADropIsOneSessionWithItsGap) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{1}, 1, 600000});
    connect();
    startCharge();
    charging(13.47, 3.2, 3);
    const int64_t lastPointBefore = m_now;
    m_bt->peers[0]->release();
    ASSERT_TRUE(processEventsUntil([this] { return !m_window->link().readerRunning(); }));
    m_now += 60'000;  // the drop is noticed a minute later
    ASSERT_TRUE(processEventsUntil([&] {
        tick();
        return m_bt->peers.size() == 2 && links.chargerLinkUp();
    }));
    m_window->Timerloop()->stop();  // the reconnect started it; the test ticks by hand
    m_bt->peers[1]->send("#|1|4|1450|800|1900|85|*\r\n");
    ASSERT_TRUE(processEventsUntil([&] {
        QCoreApplication::processEvents();
        return m_window->link().heard() && m_window->state().snapshot().stageNumber == 4;
    }));
    for (int second = 0; second < 11; ++second) tick();  // past one batch of points
    const std::vector<journal::SessionSummary> sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_FALSE(sessions[0].start.joinedMidCharge);
    EXPECT_FALSE(sessions[0].endMs);  // still being recorded
    const std::optional<journal::Session> session = keptSession(sessions[0].id);
    ASSERT_TRUE(session);
    const std::vector<journal::Gap> gaps = journal::findGaps(session->points);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_EQ(session->summary.start.startMs + gaps[0].fromMs, lastPointBefore);
    EXPECT_GT(gaps[0].toMs - gaps[0].fromMs, 60'000);
    EXPECT_EQ(session->points.back().stage, 4);
}

// A receipt printed during a charge takes the link and gives it back: one session, with
// the time of the receipt as its gap.
TEST_F(JournalRecordingTest, AReceiptDuringAChargeLeavesAGapInTheSameSession) {
    LinkController& links = m_window->linkControl();
    connect();
    startCharge();
    charging(13.1, 3.0);
    charging(13.2, 3.0);
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);  // the printer
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    m_now += 20'000;
    ASSERT_TRUE(processEventsUntil([&] { return links.chargerLinkUp(); }));
    m_window->Timerloop()->stop();
    ASSERT_EQ(m_bt->peers.size(), 3u);  // charger, printer, the charger again
    m_bt->peers[2]->send("#|1|3|1400|1000|10|80|*\r\n");
    ASSERT_TRUE(processEventsUntil([&] {
        QCoreApplication::processEvents();
        return m_window->link().heard() && m_window->state().snapshot().stageNumber == 3;
    }));
    for (int second = 0; second < 11; ++second) tick();  // past one batch of points
    const std::vector<journal::SessionSummary> sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_FALSE(sessions[0].endMs);
    const std::optional<journal::Session> session = keptSession(sessions[0].id);
    ASSERT_TRUE(session);
    ASSERT_GT(session->points.size(), 3u);
    EXPECT_EQ(session->points[3].stage, 3);  // the first reading after the receipt
    const std::vector<journal::Gap> gaps = journal::findGaps(session->points);
    ASSERT_EQ(gaps.size(), 1u);
    EXPECT_GE(gaps[0].toMs - gaps[0].fromMs, 20'000);
}

TEST_F(JournalRecordingTest, ChargeIsKeptWithEveryPointItsResultsAndProfile) {
    connect();
    auto pick = [this](const char* box, const char* entry) {
        auto* combo = control<QComboBox>(box);
        combo->setCurrentIndex(combo->findText(QString::fromLatin1(entry)));
    };
    pick("ComboMerk", "Yuasa");
    pick("ComboJenis", "MF");
    pick("ComboTipe", "YTZ5S");
    control<QLineEdit>("Edit1")->setText(QStringLiteral("Budi"));

    const int64_t start = m_now + 1000;
    startCharge();
    charging(12.10, 0.0, 1);
    tick([](ChargerState& s) {
        s.beforeResultTag = "1";
        s.before.cca = 410;
        s.before.resistance = 4.5;
        s.before.diagVoltage = 11.02;
        s.before.voltage = 12.71;
    });
    charging(13.47, 3.2);
    charging(14.41, 1.25, 3);
    charging(14.72, 0.4, 4);
    charging(13.30, 0.0, 5);
    tick([](ChargerState& s) {
        s.afterResultTag = "5";
        s.after.cca = 455;
        s.after.resistance = 3.8;
        s.after.diagVoltage = 11.64;
        s.after.voltage = 13.12;
        s.after.status = "GOOD";
    });
    charging(13.60, 0.1, 6);  // floating with the after result in: the charge is done
    charging(13.60, 0.1, 6);  // after the end: no session, no point

    const auto sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);
    const journal::SessionSummary& s = sessions[0];
    EXPECT_EQ(s.stopReason, "finished");
    EXPECT_EQ(s.start.startMs, start);
    EXPECT_EQ(s.endMs, start + 8000);
    EXPECT_EQ(s.start.deviceName, "VELMORA-CHG");
    EXPECT_EQ(s.start.deviceAddress, "00:11:22:33:44:55");
    EXPECT_EQ(s.start.profile.brand, "Yuasa");
    EXPECT_EQ(s.start.profile.variety, "MF");
    EXPECT_EQ(s.start.profile.type, "YTZ5S");
    EXPECT_EQ(s.start.profile.name, "Budi");
    EXPECT_EQ(s.start.profile.modeText, "Normal Mode");
    ASSERT_TRUE(s.results.before && s.results.after);
    EXPECT_EQ(s.results.before->cca, 410);
    EXPECT_DOUBLE_EQ(s.results.before->diagVoltage, 11.02);
    EXPECT_EQ(s.results.after->cca, 455);
    EXPECT_EQ(s.results.after->status, "GOOD");

    const auto session = keptSession(s.id);
    ASSERT_TRUE(session);
    // One point a tick from the first reading after "Charge Mode" (the word's own tick has
    // no reading of this charge yet), the measurement as the dashboard showed it.
    const std::vector<std::pair<double, int>> expected = {{12.10, 1}, {12.10, 1}, {13.47, 2},
                                                          {14.41, 3}, {14.72, 4}, {13.30, 5},
                                                          {13.30, 5}, {13.60, 6}};
    ASSERT_EQ(session->points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(session->points[i].offsetMs, static_cast<int64_t>(i + 1) * 1000) << i;
        EXPECT_DOUBLE_EQ(session->points[i].voltage, expected[i].first) << i;
        EXPECT_EQ(session->points[i].stage, expected[i].second) << i;
    }
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

class JournalEndingCase;

// How a running charge can end, and the reason kept for it.
struct Ending {
    const char* name;
    void (JournalEndingCase::*act)();
    const char* reason;
};
void PrintTo(const Ending& ending, std::ostream* out) {
    *out << ending.name;
}

class JournalEndingCase : public JournalRecordingTest,
                          public ::testing::WithParamInterface<Ending> {
public:
    void forceStop() {
        m_window->BTForceStopClick();
        m_window->RForceYesClick();
    }
    // The charger is switched off and the user stops waiting for it.
    void switchChargerOff() {
        m_bt->peers.at(0)->release();
        ASSERT_TRUE(processEventsUntil([this] { return !m_window->link().readerRunning(); }));
        tick();
        ASSERT_EQ(kept().at(0).stopReason, "");  // waiting for the charger to come back
        control<QAbstractButton>("BTBerhenti")->click();
        tick();
    }
    // The window closes while a receipt has the link.
    void closeDuringAReceipt() {
        m_window->BTPrintClick();
        control<QComboBox>("ComboDevice")->setCurrentIndex(1);  // the printer
        m_window->BTConnectClick();
        m_window.reset();
    }
    void unplugBattery() {
        tick([](ChargerState& s) { s.chargerStatus = "Baterai_Unplug"; });
    }
    void closeWindow() { m_window.reset(); }
};

TEST_P(JournalEndingCase, EndsTheSessionWithItsReason) {
    connect();
    startCharge();
    charging(13.1, 3.0);
    charging(13.2, 3.0);
    (this->*GetParam().act)();
    const auto sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].stopReason, GetParam().reason);
    ASSERT_TRUE(sessions[0].endMs);
    EXPECT_EQ(sessions[0].pointCount, 2);  // the readings after "Charge Mode"
    if (m_window) charging(13.2, 3.0);     // the charger goes on: no new session
    EXPECT_EQ(kept().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, JournalEndingCase,
    ::testing::Values(
        Ending{"ForceStop", &JournalEndingCase::forceStop, "forceStop"},
        Ending{"ChargerSwitchedOff", &JournalEndingCase::switchChargerOff, "linkLost"},
        Ending{"WindowClosedDuringAReceipt", &JournalEndingCase::closeDuringAReceipt,
               "printerHandOver"},
        Ending{"BatteryUnplugged", &JournalEndingCase::unplugBattery, "batteryUnplugged"},
        Ending{"WindowClosed", &JournalEndingCase::closeWindow, "appClosed"}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

TEST_F(JournalRecordingTest, BrokenJournalIsToldOnceMonitoringGoesOnAndTheNextSessionRetries) {
    ASSERT_NO_FATAL_FAILURE(breakJournal());
    connect();
    startCharge();
    charging(13.2, 3.1);
    deliverProblems();
    EXPECT_EQ(m_messages, QStringList{"Riwayat tidak tersedia: berkas rusak"});
    const auto volts = [this](double v) {
        return QString::fromStdString(formatFixed2(v, m_window->numberFormat())) + " V";
    };
    EXPECT_EQ(text("LVoltage"), volts(13.2));  // the charge is shown as ever
    charging(13.3, 3.0);
    EXPECT_EQ(text("LVoltage"), volts(13.3));

    // The next charge tries again; the same fault is not told twice.
    tick([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    startCharge();
    charging(13.1, 3.0);
    deliverProblems();
    EXPECT_EQ(m_messages.size(), 1);

    // Once the file is usable again the next charge is kept.
    tick([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    ASSERT_TRUE(QFile::remove(QString::fromStdString(m_path)));
    startCharge();
    charging(13.4, 2.9);
    tick([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    const auto sessions = kept();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].pointCount, 1);  // the reading; the word's tick had none
    EXPECT_EQ(sessions[0].stopReason, "chargerStandby");
    deliverProblems();
    EXPECT_EQ(m_messages.size(), 1);
}

// The journal's problems are core's Indonesian texts: the English window says them in
// English, as every other message.
TEST_F(JournalRecordingTest, JournalProblemsAreToldInTheWindowsLanguage) {
    ASSERT_TRUE(ui::applyLanguage(ui::Language::English));
    ASSERT_NO_FATAL_FAILURE(breakJournal());
    connect();
    startCharge();
    charging(13.2, 3.1);
    deliverProblems();
    ui::applyLanguage(ui::Language::Indonesian);
    EXPECT_EQ(m_messages, QStringList{"History unavailable: file damaged"});
}

TEST_F(JournalRecordingTest, NewerJournalIsToldOnceAndLeftAsItIs) {
    // A journal from a later version of the program, with one session in it.
    std::vector<journal::Migration> later = journal::migrations();
    later.push_back({journal::latestVersion(later) + 1, [](journal::sql::Connection&) {}});
    {
        journal::JournalOptions options;
        options.migrations = &later;
        auto newer = journal::Journal::open(m_path, options);
        newer->beginSession({});
    }
    const QByteArray before = fileBytes();
    ASSERT_FALSE(before.isEmpty());

    connect();
    startCharge();
    charging(13.2, 3.1);
    tick([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    startCharge();
    deliverProblems();
    EXPECT_EQ(
        m_messages,
        QStringList{"Riwayat dibuat oleh versi aplikasi yang lebih baru: hanya dapat dibaca"});
    EXPECT_EQ(kept().size(), 1u);  // readable all the same

    // Listed and shown, but not deleted.
    m_window->RRiwayatClick();
    EXPECT_TRUE(text("LRiwayatInfo").endsWith("hanya dapat dibaca"))
        << text("LRiwayatInfo").toStdString();
    m_window->history().showSelected();
    m_messages.clear();
    control<QAbstractButton>("RSesiHapus")->click();
    control<QAbstractButton>("RHapusIya")->click();
    EXPECT_EQ(
        m_messages,
        QStringList{"Riwayat dibuat oleh versi aplikasi yang lebih baru: hanya dapat dibaca"});
    m_window->history().close();
    EXPECT_EQ(kept().size(), 1u);
    EXPECT_EQ(fileBytes(), before);
}

}  // namespace
