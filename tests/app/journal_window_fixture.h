#pragma once

#include <QTemporaryDir>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "journal/HistoryBrowser.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "window_fixture.h"

namespace velmora::testing {

// A window whose journal lives in a folder of its own, on a clock the test moves.
class JournalWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(m_documents.isValid());
        useJournalFolder();
    }
    // Points the window (a new one too) at the test's folder and clock.
    void useJournalFolder() {
        m_window->setDocumentsFolder(m_documents.path());
        m_window->journal().setClock([this] { return m_now.load(); });
        m_path = m_window->journal().nativePath();
    }

    // Connects the charger; the test ticks by hand from then on.
    void connect() {
        m_window->FormShow();
        ASSERT_TRUE(connectCharger());
        m_window->Timerloop()->stop();
    }
    // One second: the charger's news, then the refresh tick that shows it.
    void tick(const std::function<void(ChargerState&)>& news = {}) {
        if (news) setState(news);
        m_now += 1000;
        m_window->TimerloopTimer();
    }
    void startCharge() {
        tick([](ChargerState& s) { s.chargerStatus = "Charge Mode"; });
    }
    // A reading of a charging stage.
    void charging(double volts, double amperes, int stage = 2) {
        tick([=](ChargerState& s) {
            s.stageNumber = stage;
            s.chargeVoltage = volts;
            s.chargeCurrent = amperes;
        });
    }

    // What the journal file holds once the window's writer is done (newest first).
    std::vector<journal::SessionSummary> kept() {
        if (m_window) m_window->journal().sync();
        try {
            journal::JournalOptions look;
            look.create = false;
            return journal::Journal::open(m_path, look)->list();
        } catch (const journal::JournalError& e) {
            EXPECT_EQ(e.fault(), journal::JournalFault::Missing) << e.what();
            return {};
        }
    }
    std::optional<journal::Session> keptSession(int64_t id) {
        if (m_window) m_window->journal().sync();
        return journal::Journal::open(m_path)->session(id);
    }

    std::atomic<int64_t> m_now{1'765'370'000'000};  // 2025-12-10
    QTemporaryDir m_documents;
    std::string m_path;
};

}  // namespace velmora::testing
