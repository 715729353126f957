// A whole charge on the simulated charger, recorded by the window as it goes and read
// back through the "Riwayat" list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

#include "gui_wait.h"
#include "journal/HistoryBrowser.h"
#include "journal/HistoryDialog.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SessionListModel.h"
#include "journal/SessionPage.h"
#include "link/SimulatedDevices.h"
#include "monitor/ChartScreen.h"
#include "shell/TVLForm.h"
#include "simulated_window.h"

using namespace velmora;

namespace {

constexpr int kDeadlineMs = 60000;

QString text(TVLForm& window, const char* name) {
    return velmora::testing::labelText(window, name);
}

TEST(JournalEndToEnd, SimulatedChargeIsRecordedAndReadBackThroughTheWindow) {
    QTemporaryDir documents;
    ASSERT_TRUE(documents.isValid());
    QStringList messages;
    // About one simulated second per tick of the test.
    std::unique_ptr<TVLForm> owned =
        velmora::testing::simulatedWindow(documents.path(), messages, 20);
    TVLForm& window = *owned;
    ASSERT_TRUE(velmora::testing::connectSimulatedCharger(window, kDeadlineMs));

    // The refresh runs about once per simulated second until the charger floats with the
    // after-charging result shown; the next tick ends the session.
    ASSERT_TRUE(processEventsUntil(
        [&] {
            window.TimerloopTimer();
            return text(window, "ARes1").startsWith(QStringLiteral("Status  = ")) &&
                   window.state().snapshot().stageNumber == 6;
        },
        kDeadlineMs));
    window.TimerloopTimer();
    window.journal().sync();
    EXPECT_FALSE(window.journal().recordingSessionId());
    const size_t livePoints = window.chartScreen()->data().voltage.size();

    window.RRiwayatClick();
    auto* list = window.control<QTableView>(QStringLiteral("ListRiwayat"));
    ASSERT_EQ(list->model()->rowCount(), 1);
    const auto cell = [list](int column) { return list->model()->index(0, column).data(); };
    EXPECT_EQ(cell(SessionListModel::Stop).toString(), "Selesai");
    EXPECT_EQ(cell(SessionListModel::Kind).toString(), "Isi daya");
    EXPECT_EQ("Status  = " + cell(SessionListModel::Status).toString(), text(window, "ARes1"));

    list->selectRow(0);
    window.history().showSelected();
    // The results as the diagnostic screen showed them when they came.
    const QStringList after = text(window, "LSesiAfter").split('\n');
    EXPECT_EQ(after,
              QStringList({"Sesudah Pengisian", text(window, "ACCA"), text(window, "AiR"),
                           text(window, "Avd"), text(window, "AVo"), text(window, "ARes1")}));
    const QStringList before = text(window, "LSesiBefore").split('\n');
    EXPECT_EQ(before.value(1), text(window, "BCCA"));

    // Every tick of the session is a point; the page draws them all.
    const int64_t id = list->model()->index(0, 0).data(SessionListModel::kIdRole).toLongLong();
    journal::JournalOptions look;
    look.create = false;
    const auto session = journal::Journal::open(window.journal().nativePath(), look)->session(id);
    ASSERT_TRUE(session);
    EXPECT_GT(session->points.size(), 30u);  // at least the charging stages, one a tick
    EXPECT_EQ(session->summary.stopReason, "finished");
    EXPECT_EQ(session->summary.start.deviceName, DevicePlatform::kSimulatedCharger.toStdString());
    const auto* page = window.control<SessionPage>(QStringLiteral("PageSesi"));
    ASSERT_NE(page, nullptr);
    // As the live chart: the charging stages of the charge, from its start.
    const auto charging =
        std::count_if(session->points.begin(), session->points.end(),
                      [](const journal::Point& p) { return p.stage >= 2 && p.stage <= 4; });
    EXPECT_EQ(page->data().voltage.size(), static_cast<size_t>(charging));
    EXPECT_EQ(window.chartScreen()->data().voltage.size(), livePoints);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

// The second simulated charger runs only the battery test, so Test Mode can be tried
// without hardware: the window switches to the test screen and keeps a test session.
TEST(JournalEndToEnd, SimulatedTestChargerRunsATestOnlySession) {
    QTemporaryDir documents;
    ASSERT_TRUE(documents.isValid());
    QStringList messages;
    std::unique_ptr<TVLForm> owned = velmora::testing::simulatedWindow(
        documents.path(), messages, 100);  // a tick sees each second
    TVLForm& window = *owned;
    ASSERT_TRUE(velmora::testing::connectSimulatedCharger(window, kDeadlineMs,
                                                          DevicePlatform::kSimulatedTestCharger));

    ASSERT_TRUE(processEventsUntil(
        [&] {
            window.TimerloopTimer();
            return !window.state().snapshot().test.status.empty() &&
                   !window.journal().recordingSessionId();
        },
        kDeadlineMs));
    window.journal().sync();
    EXPECT_EQ(window.state().snapshot().stageNumber, 0);  // nothing was charged

    journal::JournalOptions look;
    look.create = false;
    const auto sessions = journal::Journal::open(window.journal().nativePath(), look)->list();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].start.kind, journal::SessionKind::Test);
    EXPECT_EQ(sessions[0].stopReason, "finished");
    EXPECT_EQ(sessions[0].start.deviceName, DevicePlatform::kSimulatedTestCharger.toStdString());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

}  // namespace
