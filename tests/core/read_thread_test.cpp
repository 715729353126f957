#include <gtest/gtest.h>

#include "link/Commands.h"
#include "link/MemoryTransport.h"
#include "link/SocketTransport.h"
#include "link/TReadThread.h"
#include "simulator/ChargerSimulator.h"
#include "wait_for.h"

using namespace velmora;

namespace {

constexpr int kHour = 3600 * 1000;

// A reader on one end of an in-memory pair; the test plays the charger on the other.
class ReadThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto [app, charger] = MemoryTransport::createPair();
        m_app = app;
        m_charger = charger;
    }
    void startReader(ReaderTiming timing = {50, 0}) {
        m_reader = std::make_unique<TReadThread>(m_app, m_state, m_stop, timing);
        m_reader->start();
    }

    std::shared_ptr<MemoryTransport> m_app, m_charger;
    LiveChargerState m_state;
    std::atomic<bool> m_stop{false};
    std::unique_ptr<TReadThread> m_reader;
};

TEST_F(ReadThreadTest, ParsesFramesSplitAcrossReceives) {
    startReader();
    m_charger->send("#|1|2|1325|2500|61|45|*\r\n#|STA");
    m_charger->send("NDBY|*\r\n");
    ASSERT_TRUE(waitFor([&] { return m_state.snapshot().chargerStatus == "STANDBY"; }));
    EXPECT_EQ(m_state.snapshot().stageNumber, 2);
}

TEST_F(ReadThreadTest, EndOfTestFrameReversesTheAfterResult) {
    startReader();
    m_charger->send("#|3|5|520|850|1210|1300|X|*\r\n#|5|*\r\n");
    ASSERT_TRUE(waitFor([&] { return m_state.snapshot().afterResultTag == "5"; }));
    ChargerState s = m_state.snapshot();
    EXPECT_EQ(s.after.cca, 1300);
    EXPECT_DOUBLE_EQ(s.after.voltage, 5.2);
    EXPECT_FALSE(s.endOfTest);  // cleared by the after result, not set again afterwards
    EXPECT_TRUE(s.historyReady);
}

TEST_F(ReadThreadTest, GarbledMessageIsDroppedAndReceivingGoesOn) {
    startReader();
    m_charger->send("#|1|2|x|2500|61|45|*\r\n");
    m_charger->send("#|1|3|1400|1200|90|75|*\r\n");
    ASSERT_TRUE(waitFor([&] { return m_state.snapshot().stageNumber == 3; }));
    EXPECT_TRUE(m_reader->running());
}

TEST_F(ReadThreadTest, StopCutsAWaitingReceiveShort) {
    // Receive and pause last an hour: only a prompt stop lets this test finish.
    startReader({kHour, kHour});
    m_charger->send("#|STANDBY|*\r\n");
    ASSERT_TRUE(waitFor([&] { return m_state.snapshot().chargerStatus == "STANDBY"; }));
    m_reader->stop();
    EXPECT_FALSE(m_reader->running());
    EXPECT_FALSE(m_reader->linkLost());
    EXPECT_TRUE(m_stop.load());
}

TEST_F(ReadThreadTest, LostLinkEndsTheThreadAndIsReported) {
    startReader({kHour, 0});
    m_charger->release();
    ASSERT_TRUE(waitFor([&] { return !m_reader->running(); }));
    EXPECT_TRUE(m_reader->linkLost());
}

TEST_F(ReadThreadTest, IdleWithoutLinkUntilStopped) {
    m_reader = std::make_unique<TReadThread>(nullptr, m_state, m_stop, ReaderTiming{kHour, kHour});
    m_reader->start();
    EXPECT_TRUE(m_reader->running());
    m_reader->stop();
    EXPECT_FALSE(m_reader->running());
}

// The simulated charger drives the real receive loop over a loopback socket through a
// whole charge: detection, before result, history, reversed after result, floating.
TEST(ChargerOverSocketTest, SimulatedChargeCompletes) {
    SocketListener listener("tcp:127.0.0.1:0");
    auto app = std::make_shared<SocketTransport>(listener.address());
    app->connect();
    std::shared_ptr<Transport> chargerEnd = listener.accept(5000);
    ASSERT_TRUE(chargerEnd);

    SimulatorOptions options;
    options.tickMs = 20;
    options.durations = {2, 1, 3, 20, 10, 8, 6};
    ChargerSimulator charger(chargerEnd, options);
    charger.start();

    LiveChargerState state;
    std::atomic<bool> stop{false};
    std::vector<std::string> historyLengths;
    TReadThread reader(app, state, stop, ReaderTiming{200, 0});
    reader.setObserver([&](const std::string& message, const ParseOutcome& outcome) {
        if (outcome.shape == MessageShape::VoltageHistory) historyLengths.push_back(message);
    });
    reader.start();
    app->send(commands::kStart);

    ASSERT_TRUE(waitFor([&] {
        ChargerState s = state.snapshot();
        return s.stageNumber == 6 && s.afterResultTag == "5";
    }));
    ChargerState s = state.snapshot();
    EXPECT_EQ(s.beforeResultTag, "1");
    EXPECT_GE(s.before.cca, 100);
    EXPECT_LE(s.before.cca, 600);
    // Read in reversed positions: a CCA, not a voltage x100, lands in afterCca.
    EXPECT_GE(s.after.cca, 100);
    EXPECT_LE(s.after.cca, 600);
    EXPECT_GT(s.after.voltage, 12.0);
    EXPECT_LT(s.after.voltage, 14.8);
    EXPECT_GE(s.after.resistance, 2.0);
    EXPECT_LE(s.after.resistance, 20.0);
    EXPECT_FALSE(s.endOfTest);
    EXPECT_EQ(s.after.status.empty(), false);
    EXPECT_EQ(s.chargeProgress, 100);
    EXPECT_EQ(s.optionSlots[0].name, "OTHER 1");
    EXPECT_EQ(historyLengths.size(), 1u);

    reader.stop();
    charger.stop();
}

// Noise, frames cut at random places and a dropped link: the loop keeps going through
// the first two and ends quietly, reporting the loss, on the third.
TEST(ChargerOverSocketTest, FaultsNeitherWedgeNorCrashTheReceiveLoop) {
    auto [app, chargerEnd] = MemoryTransport::createPair();
    SimulatorOptions options;
    options.tickMs = 5;
    options.garbageChance = 0.3;
    options.splitFrames = true;
    options.dropAfterTicks = 80;
    options.seed = 7;
    options.durations = {1, 1, 3, 20, 10, 8, 6};
    ChargerSimulator charger(chargerEnd, options);
    charger.start();

    LiveChargerState state;
    std::atomic<bool> stop{false};
    TReadThread reader(app, state, stop, ReaderTiming{200, 0});
    reader.start();
    app->send(commands::kStart);
    ASSERT_TRUE(waitFor([&] { return !reader.running(); }));
    EXPECT_TRUE(reader.linkLost());
    EXPECT_GE(state.snapshot().stageNumber, 2);  // readings got through the noise
    charger.stop();
}

}  // namespace
