// A charger link that drops: nothing is invented, the dashboard says so, and one button
// brings the same charger back. Printing goes to a printer, never to a charger.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTextLayout>

#include "gui_wait.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "monitor/LostLinkPanel.h"
#include "widgets/Theme.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const QString kChargerIsNoPrinter =
    QStringLiteral("Perangkat ini charger, bukan printer. Pilih printer untuk mencetak");

class LostLinkTest : public WindowTest {
protected:
    size_t chartPoints() { return m_window->chartScreen()->data().voltage.size(); }
    // Refresh ticks, as the window's timer gives them, until `done`.
    bool tickUntil(const std::function<bool()>& done) {
        return processEventsUntil([&] {
            m_window->TimerloopTimer();
            return done();
        });
    }
    bool panelShown() { return control("PanelLinkLost")->isVisibleTo(m_window->dashboard()); }
    // The panel's text as read: the name's unbreakable spaces and hyphens as typed.
    QString reason() {
        return text("LLinkLostReason")
            .replace(QChar::Nbsp, QLatin1Char(' '))
            .replace(QChar(0x2011), QLatin1Char('-'));
    }
    // The charger at socket n reports stage 3 and the window ticks until it shows.
    void charging(size_t n) {
        // Each connection finds the charge later on: its time has run on.
        const int elapsed = 10 + 100 * static_cast<int>(n);
        m_bt->peers.at(n)->send("#|1|3|1400|1000|" + std::to_string(elapsed) + "|80|*\r\n");
        ASSERT_TRUE(tickUntil([&] {
            const ChargerState s = m_window->state().snapshot();
            return s.stageNumber == 3 && s.elapsedSeconds == elapsed;
        }));
        m_window->TimerloopTimer();  // the tick that sees the reading
    }
};

// The charger's name stays whole on one line of the panel's text, shortened in its middle
// when it is too long: the lines break round it, never inside an address.
TEST(LostLinkPanelTest, TheChargersNameIsNeverBrokenAcrossLines) {
    QWidget dashboard;
    LostLinkPanel panel(&dashboard);
    QLabel* reason = panel.LLinkLostReason;
    for (const QString& device :
         {QStringLiteral("Charger Simulasi (tcp:127.0.0.1:5555)"), QStringLiteral("VELMORA-CHG"),
          QStringLiteral("Charger Simulasi (tcp:charger-bengkel-jaya-abadi.local:5555)")}) {
        for (const int attempt : {0, 3}) {
            SCOPED_TRACE(device.toStdString() + " " + std::to_string(attempt));
            LostLinkView view;
            view.device = device;
            view.reconnecting = attempt > 0;
            view.attempt = attempt;
            panel.showLost(view);
            // The lines the label draws.
            QTextLayout layout(reason->text(), reason->font());
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            QStringList lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(reason->width());
                lines << reason->text().mid(line.textStart(), line.textLength());
            }
            layout.endLayout();
            const auto asTyped = [](QString text) {
                return text.replace(QChar::Nbsp, QLatin1Char(' '))
                    .replace(QChar(0x2011), QLatin1Char('-'));
            };
            const QString start = device.left(8);  // "Charger " or "VELMORA-"
            ASSERT_TRUE(asTyped(reason->text()).contains(start)) << reason->text().toStdString();
            int lineOfName = -1;
            for (int i = 0; i < lines.size(); ++i)
                if (asTyped(lines[i]).contains(start)) lineOfName = i;
            ASSERT_GE(lineOfName, 0);
            const QString nameLine = asTyped(lines[lineOfName]);
            // Its end, the address's last part (or "…" where shortened), is on the same line.
            EXPECT_TRUE(nameLine.contains(device.right(5)) || nameLine.contains(QChar(0x2026)))
                << nameLine.toStdString();
            EXPECT_LE(reason->fontMetrics().horizontalAdvance(nameLine.trimmed()), reason->width());
        }
    }
}

TEST_F(LostLinkTest, DroppedLinkInventsNoPointsShowsThePanelAndReconnectsTheSameCharger) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    charging(0);
    EXPECT_GT(chartPoints(), 0u);
    EXPECT_FALSE(panelShown());

    m_bt->peers[0]->release();  // the charger is switched off mid-charge
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }));
    const size_t frozen = chartPoints();
    for (int tick = 0; tick < 5; ++tick) m_window->TimerloopTimer();
    EXPECT_EQ(chartPoints(), frozen);  // no flat line of old readings
    EXPECT_TRUE(reason().contains("VELMORA-CHG"));
    EXPECT_TRUE(m_window->dashboard()->showsStale());
    EXPECT_TRUE(m_window->dashboard()->RCircle->stale());
    EXPECT_EQ(control<QLabel>("LVoltage")->palette().color(QPalette::WindowText), ui::kGrey);
    EXPECT_EQ(text("LVoltage"), control<QLabel>("LVoltage")->text());  // the last reading stays
    // Every screen says so, in the top bar beside its title.
    for (const auto& open : {&TVLForm::BT3ChartClick, &TVLForm::BT2DiagnosticClick,
                             &TVLForm::BT4OptionClick, &TVLForm::BT1Dashboard2Click}) {
        (m_window.get()->*open)();
        EXPECT_TRUE(control("LLinkAlert")->isVisibleTo(m_window->content()));
        EXPECT_TRUE(text("LLinkAlert").startsWith("Charger terputus"))
            << text("LLinkAlert").toStdString();
    }

    // Another device picked in the box meanwhile does not change where it reconnects.
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    control<QAbstractButton>("BTSambungUlang")->click();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    ASSERT_EQ(m_bt->peers.size(), 2u);
    EXPECT_EQ(m_bt->peers[1]->receive(1000), commands::kStart);
    EXPECT_TRUE(m_window->link().readerRunning());
    EXPECT_EQ(m_window->link().peerName(), "VELMORA-CHG");
    m_window->TimerloopTimer();
    EXPECT_FALSE(panelShown());
    EXPECT_FALSE(control("LLinkAlert")->isVisibleTo(m_window->content()));
    EXPECT_FALSE(m_window->dashboard()->showsStale());
    EXPECT_EQ(control<QLabel>("LVoltage")->palette().color(QPalette::WindowText), ui::kWhite);
    charging(1);
    EXPECT_GT(chartPoints(), frozen);  // live again
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(LostLinkTest, AFailedReconnectKeepsThePanelForTheNextTry) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }));
    m_bt->refuseConnect = true;
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTSambungUlangClick();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    m_window->TimerloopTimer();
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(control<QAbstractButton>("BTSambungUlang")->isEnabled());
    EXPECT_EQ(m_messages, QStringList{"Matikan lalu hidupkan lagi charger anda"});
}

// Reconnecting by itself: quiet failures on a short schedule, then the charger is back
// with one receive thread and the start command, as a press of "Sambungkan" gives.
TEST_F(LostLinkTest, ALostChargerIsTriedAgainByItselfUntilItIsBack) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{10, 20}, 30, 60000});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->refuseSocket = true;  // first no socket at all, then sockets that do not connect
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return links.reconnectAttempt() >= 2; }));
    m_bt->refuseSocket = false;
    m_bt->refuseConnect = true;
    ASSERT_TRUE(
        tickUntil([&] { return links.reconnectAttempt() >= 4 && !m_window->connecting(); }));
    EXPECT_TRUE(links.reconnecting());
    EXPECT_TRUE(reason().startsWith("Menyambung ulang ke VELMORA-CHG..."));
    EXPECT_TRUE(reason().contains("percobaan"));
    EXPECT_TRUE(control<QWidget>("BTBerhenti")->isVisibleTo(m_window->dashboard()));
    EXPECT_TRUE(m_messages.isEmpty());  // the panel says it; no box to click away

    m_bt->refuseConnect = false;  // the charger is back in range
    ASSERT_TRUE(tickUntil([&] { return links.chargerLinkUp(); }));
    EXPECT_FALSE(links.reconnecting());
    EXPECT_EQ(m_bt->peers.back()->receive(1000), commands::kStart);
    m_window->TimerloopTimer();
    EXPECT_FALSE(panelShown());
    EXPECT_TRUE(m_messages.isEmpty());
}

// Bluetooth switched off, or the charger unpaired meanwhile: the panel says which while the
// attempts go on and after they stopped, and once it is put right the charger comes back.
TEST_F(LostLinkTest, ThePanelSaysWhatStandsInTheWay) {
    struct Obstacle {
        const char* name;
        std::function<void(FakePlatform::Shared&, bool)> set;
        const char* whileTrying;
        const char* afterStopping;
    };
    const std::vector<Obstacle> obstacles{
        {"adapter off", [](FakePlatform::Shared& bt, bool on) { bt.radio = !on; },
         "Bluetooth mati. Nyalakan lagi; VELMORA-CHG dicoba terus (percobaan ",
         "Bluetooth mati. Nyalakan, lalu tekan Sambungkan ulang."},
        {"no longer paired",
         [](FakePlatform::Shared& bt, bool on) {
             bt.unpairedNow = on ? QStringList{QStringLiteral("00:11:22:33:44:55")} : QStringList{};
         },
         "VELMORA-CHG tidak lagi dipasangkan. Pasangkan lagi; dicoba terus (percobaan ",
         "VELMORA-CHG tidak lagi dipasangkan. Pasangkan lagi, lalu tekan Sambungkan ulang."},
    };
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{10}, 10, 600000});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    for (const Obstacle& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.name);
        obstacle.set(*m_bt, true);
        m_bt->peers.back()->release();
        EXPECT_TRUE(tickUntil([&] {
            return links.reconnecting() && reason().startsWith(obstacle.whileTrying);
        })) << reason().toStdString();
        control<QAbstractButton>("BTBerhenti")->click();
        m_window->TimerloopTimer();
        EXPECT_EQ(reason().toStdString(), obstacle.afterStopping);
        EXPECT_TRUE(m_messages.isEmpty());

        obstacle.set(*m_bt, false);  // put right: the user reconnects
        const size_t sockets = m_bt->peers.size();
        control<QAbstractButton>("BTSambungUlang")->click();
        ASSERT_TRUE(tickUntil([&] {
            return m_bt->peers.size() > sockets && links.chargerLinkUp() && !m_window->connecting();
        }));
        m_window->TimerloopTimer();
        EXPECT_FALSE(panelShown());
    }
}

TEST_F(LostLinkTest, ReconnectingStopsWhenTheUserSaysSoOrAfterItsTime) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{10}, 10, 200});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->refuseConnect = true;
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return links.reconnectGaveUp(); }));
    EXPECT_FALSE(links.reconnecting());
    EXPECT_TRUE(reason().contains("tidak dapat disambungkan lagi"));
    EXPECT_FALSE(control<QWidget>("BTBerhenti")->isVisibleTo(m_window->dashboard()));
    EXPECT_TRUE(control<QWidget>("BTSambungUlang")->isEnabled());  // by hand it goes on

    // "Berhenti" ends it at once.
    links.setReconnectSchedule({{60000}, 60000, 600000});
    m_bt->refuseConnect = false;
    ASSERT_TRUE(connectCharger());
    m_bt->peers.back()->release();
    ASSERT_TRUE(tickUntil([&] { return links.reconnecting(); }));
    control<QAbstractButton>("BTBerhenti")->click();
    EXPECT_FALSE(links.reconnecting());
    EXPECT_TRUE(panelShown());
    EXPECT_FALSE(control<QWidget>("BTBerhenti")->isVisibleTo(m_window->dashboard()));
}

// A charger that accepts and closes at once: no busy loop, the attempts go on counting and
// give up on time, the panel says so.
TEST_F(LostLinkTest, AChargerThatClosesAtOnceIsGivenUpOnTime) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{5}, 5, 300});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    size_t closed = 0;
    ASSERT_TRUE(processEventsUntil([&] {
        for (; closed < m_bt->peers.size(); ++closed) m_bt->peers[closed]->release();
        m_window->TimerloopTimer();
        return links.reconnectGaveUp();
    }));
    EXPECT_GT(links.reconnectAttempt(), 1);
    m_window->TimerloopTimer();
    EXPECT_TRUE(panelShown());
    EXPECT_TRUE(reason().contains("tidak dapat disambungkan lagi"));
    EXPECT_TRUE(m_messages.isEmpty());
}

// A charger that answers and drops again soon after, over and over, was back each time:
// reconnecting starts afresh after every drop and never runs out of time.
TEST_F(LostLinkTest, AChargerThatAnswersBeforeEachDropIsNeverGivenUp) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{5}, 5, 300});
    m_window->link().setReaderTiming({100, 0});  // a drop is seen at once, not after a pause
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    QElapsedTimer running;
    running.start();
    int drops = 0;
    while (running.elapsed() < 900) {  // three times the time to give up
        const size_t sockets = m_bt->peers.size();
        m_bt->peers.back()->send("#|1|3|1400|1000|10|80|*\r\n");
        ASSERT_TRUE(tickUntil([&] { return m_window->link().heard(); }));
        m_bt->peers.back()->release();
        ASSERT_TRUE(tickUntil([&] {
            return m_bt->peers.size() > sockets && links.chargerLinkUp() && !m_window->connecting();
        })) << "drop "
            << drops << ", gave up: " << links.reconnectGaveUp();
        ++drops;
    }
    EXPECT_GT(drops, 1);
    EXPECT_TRUE(m_messages.isEmpty());
}

// While the connection dialog is open the user holds the link: attempts wait.
TEST_F(LostLinkTest, NoAttemptWhileADialogHoldsTheLink) {
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{5}, 5, 60000});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return panelShown(); }));
    m_window->BTConnectionClick();
    QSignalSpy due(&links, &LinkController::reconnectDue);
    ASSERT_TRUE(processEventsUntil([&] { return due.count() >= 3; }));
    EXPECT_EQ(m_bt->peers.size(), 1u);  // no socket was made
    EXPECT_EQ(links.reconnectAttempt(), 0);
    m_window->RectLayoutBTClick();  // the dialog closes: the next one goes out
    ASSERT_TRUE(processEventsUntil([&] { return m_bt->peers.size() == 2u; }));
}

TEST_F(LostLinkTest, HandingTheLinkToThePrinterIsNoLoss) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    m_window->TimerloopTimer();
    EXPECT_FALSE(panelShown());
    EXPECT_FALSE(m_window->dashboard()->showsStale());
}

// A receipt printed during a charge takes the link; once it is out the link goes back to
// the charger being watched and monitoring resumes, with no click.
TEST_F(LostLinkTest, TheLinkGoesBackToTheWatchedChargerOnceTheReceiptIsOut) {
    LinkController& links = m_window->linkControl();
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    charging(0);
    m_window->BTPrintClick();
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    ASSERT_TRUE(processEventsUntil([&] { return links.chargerLinkUp(); }));
    ASSERT_EQ(m_bt->peers.size(), 3u);  // charger, printer, the charger again
    EXPECT_EQ(m_bt->peers[2]->receive(1000), commands::kStart);
    EXPECT_TRUE(m_window->Timerloop()->isActive());
    EXPECT_EQ(m_window->link().peerName(), "VELMORA-CHG");
    charging(2);  // the dashboard follows the charger again
    EXPECT_FALSE(panelShown());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(LostLinkTest, PrintingStartsFromTheLastPrinterAcrossRunsAndNeverFromACharger) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    charging(0);  // the charger has answered: it is known to be one
    m_window->BTPrintClick();
    auto* box = control<QComboBox>("ComboDevice");
    EXPECT_EQ(text("LPair"), "Pilih Printer");
    EXPECT_EQ(box->currentText(), "RPP02N");  // no printer used yet: not the charger

    // The charger chosen by hand: said so, monitoring goes on, no socket is made.
    for (void (TVLForm::*press)() : {&TVLForm::BTConnectClick, &TVLForm::BTReportClick}) {
        box->setCurrentIndex(0);
        m_messages.clear();
        (m_window.get()->*press)();
        EXPECT_EQ(m_messages, QStringList{kChargerIsNoPrinter});
        EXPECT_EQ(m_bt->peers.size(), 1u);
        EXPECT_TRUE(m_window->Timerloop()->isActive());
        EXPECT_TRUE(m_window->link().readerRunning());
    }

    box->setCurrentIndex(1);
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTReportClick();
    ASSERT_TRUE(printed.wait(20000));

    // The next run lists the devices the other way round and still starts from the printer.
    m_window.reset();
    std::reverse(m_bt->devices.begin(), m_bt->devices.end());
    m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
    m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    m_window->FormShow();
    m_window->BTPrintClick();
    EXPECT_EQ(control<QComboBox>("ComboDevice")->currentText(), "RPP02N");
    m_window->R1UseClick();  // the dealer dialog's printer name too
    EXPECT_EQ(control<QComboBox>("ComboShowPrinter")->currentText(), "RPP02N");
    m_window->BTConnectionClick();  // and the charger dialog from the charger
    EXPECT_EQ(control<QComboBox>("ComboDevice")->currentText(), "VELMORA-CHG");
}

// "Sambungkan otomatis saat mulai": off at first; when chosen, the next start connects to
// the last charger by itself.
TEST_F(LostLinkTest, TheLastChargerIsConnectedAtStartOnlyWhenChosen) {
    m_window->FormShow();
    EXPECT_FALSE(m_window->connecting());  // nothing remembered, nothing chosen
    ASSERT_TRUE(connectCharger());
    auto* option = control<QCheckBox>("CheckAutoConnect");
    EXPECT_FALSE(option->isChecked());
    for (bool chosen : {false, true}) {
        SCOPED_TRACE(chosen);
        control<QCheckBox>("CheckAutoConnect")->setChecked(chosen);
        m_window.reset();
        const size_t sockets = m_bt->peers.size();
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
        EXPECT_EQ(control<QCheckBox>("CheckAutoConnect")->isChecked(), chosen);
        QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
        m_window->FormShow();
        EXPECT_EQ(m_window->connecting(), chosen);
        if (!chosen) {
            EXPECT_EQ(m_bt->peers.size(), sockets);
            continue;
        }
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_TRUE(m_window->linkControl().chargerLinkUp());
        EXPECT_EQ(m_bt->peers.back()->receive(1000), commands::kStart);
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

// The threads of this process, as the kernel counts them.
int threadCount() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Threads:")) return line.mid(8).trimmed().toInt();
    return -1;
}

// Many drops, each healed by the controller: one receive thread at a time, no thread left
// behind by the attempts.
TEST_F(LostLinkTest, ManyDropsHealedByThemselvesLeaveOneReceiveThread) {
    if (threadCount() < 0) GTEST_SKIP() << "no /proc here";
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{1}, 1, 600000});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->TimerloopTimer();
    const int threads = threadCount();
    constexpr int kDrops = 200;
    for (int drop = 0; drop < kDrops; ++drop) {
        const size_t sockets = m_bt->peers.size();
        m_bt->peers.back()->release();
        ASSERT_TRUE(tickUntil([&] {
            return m_bt->peers.size() > sockets && links.chargerLinkUp() && !m_window->connecting();
        })) << "drop "
            << drop;
    }
    EXPECT_EQ(m_bt->peers.size(), static_cast<size_t>(kDrops + 1));  // one attempt per drop
    EXPECT_TRUE(m_window->link().readerRunning());
    // No growth: other threads of the process (a finished journal writer) may only end.
    EXPECT_LE(threadCount(), threads);
    EXPECT_TRUE(m_messages.isEmpty());
}

// The window closed while an attempt waits on a charger that does not answer: the attempt is
// cut short, no thread is left, and the charge record ends as the link left it.
TEST_F(LostLinkTest, ClosingTheWindowDuringAnAttemptEndsItCleanly) {
    if (threadCount() < 0) GTEST_SKIP() << "no /proc here";
    LinkController& links = m_window->linkControl();
    links.setReconnectSchedule({{1}, 1, 600000});
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->TimerloopTimer();
    const int threads = threadCount();
    m_bt->hangOnConnect = true;
    m_bt->peers[0]->release();
    ASSERT_TRUE(tickUntil([&] { return m_window->connecting(); }));
    m_window.reset();
    EXPECT_FALSE(m_bt->hangOutlived);  // cut short, not waited out
    EXPECT_LE(threadCount(), threads);
}

}  // namespace
