#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "bluez_test_support.h"
#include "link/bluez/BluezPlatform.h"

namespace velmora {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using std::chrono::steady_clock;

const QString kAdapter = QStringLiteral("hci0");
const QString kCharger = QStringLiteral("BB:22:33:44:55:01");
const char kStartCommand[] = "#KWPRZ41*";

// Reads until `expected` bytes came or the deadline passed; a lost link ends it early.
std::string receiveAtLeast(Transport& link, size_t expected, seconds deadline) {
    std::string received;
    const auto end = steady_clock::now() + deadline;
    while (received.size() < expected && steady_clock::now() < end) {
        received += link.receive(200);
    }
    return received;
}

// Releases a link when a test leaves early, so that no reader waits out its time-out.
struct ReleaseOnExit {
    Transport& link;
    ~ReleaseOnExit() { link.release(); }
};

// A paired charger behind the bluetoothd stand-in; its serial port echoes every byte.
class RfcommTransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString problem = m_bluez.start();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        m_bluez.addAdapter(kAdapter);
        m_bluez.addDevice(kAdapter, kCharger, "VT-Charger");
        m_bluez.pairDevice(kAdapter, kCharger);
    }

    std::unique_ptr<Transport> connectedSocket(bool secure = false) {
        auto socket = m_platform.createSocket({"VT-Charger", kCharger, true}, secure);
        socket->connect();
        return socket;
    }

    test::FakeBluez m_bluez;
    BluezPlatform m_platform;
};

TEST_F(RfcommTransportTest, StartCommandMakesTheRoundTrip) {
    const auto socket = connectedSocket();
    ASSERT_TRUE(socket->connected());

    socket->send(kStartCommand);

    EXPECT_EQ(receiveAtLeast(*socket, sizeof kStartCommand - 1, seconds(5)), kStartCommand);
}

TEST_F(RfcommTransportTest, SecureSocketCarriesDataToo) {
    const auto socket = connectedSocket(true);

    socket->send(kStartCommand);

    EXPECT_EQ(receiveAtLeast(*socket, sizeof kStartCommand - 1, seconds(5)), kStartCommand);
}

TEST_F(RfcommTransportTest, LargeSendWhileAnotherThreadReceives) {
    const auto socket = connectedSocket();
    std::string payload(256 * 1024, '\0');
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>('A' + i % 23);

    auto echoed = std::async(std::launch::async,
                             [&] { return receiveAtLeast(*socket, payload.size(), seconds(20)); });
    socket->send(payload);

    ASSERT_EQ(echoed.wait_for(seconds(25)), std::future_status::ready);
    EXPECT_TRUE(echoed.get() == payload) << "the echo differs from what was sent";
}

TEST_F(RfcommTransportTest, QuietLinkTimesOutWithNothing) {
    const auto socket = connectedSocket();
    const auto started = steady_clock::now();

    EXPECT_EQ(socket->receive(300), "");

    const auto waited = steady_clock::now() - started;
    EXPECT_GE(waited, milliseconds(300));
    EXPECT_LT(waited, seconds(3));
    EXPECT_TRUE(socket->connected());
}

TEST_F(RfcommTransportTest, HangUpByTheDeviceRaisesLinkError) {
    const auto socket = connectedSocket();
    const auto started = steady_clock::now();

    m_bluez.dropConnections();

    EXPECT_THROW(socket->receive(10000), LinkError);
    EXPECT_LT(steady_clock::now() - started, seconds(3));
    EXPECT_FALSE(socket->connected());
    EXPECT_THROW(socket->send(kStartCommand), LinkError);
}

TEST_F(RfcommTransportTest, BytesSentBeforeTheHangUpAreStillDelivered) {
    const auto socket = connectedSocket();

    m_bluez.pushData("STANDBY");
    m_bluez.dropConnections();

    std::string received;
    try {
        for (;;) received += socket->receive(5000);
    } catch (const LinkError&) {
        // the hang-up, after the bytes
    }
    EXPECT_EQ(received, "STANDBY");
}

TEST_F(RfcommTransportTest, ReleaseCutsAWaitingReceiveShort) {
    const auto socket = connectedSocket();
    std::promise<pid_t> readerThread;
    auto reader = std::async(std::launch::async, [&] {
        readerThread.set_value(test::currentThreadId());
        try {
            socket->receive(30000);
            return std::string("receive returned");
        } catch (const LinkError&) {
            return std::string("LinkError");
        }
    });
    // Declared after the reader, so a failed assertion releases before the reader is joined.
    const ReleaseOnExit releaseOnExit{*socket};
    auto readerId = readerThread.get_future();
    ASSERT_EQ(readerId.wait_for(seconds(5)), std::future_status::ready);
    ASSERT_TRUE(test::waitUntilAsleep(readerId.get(), seconds(5))) << "the reader never waited";

    const auto started = steady_clock::now();
    socket->release();

    ASSERT_EQ(reader.wait_for(seconds(3)), std::future_status::ready);
    EXPECT_EQ(reader.get(), "LinkError");
    EXPECT_LT(steady_clock::now() - started, seconds(3));
    EXPECT_FALSE(socket->connected());
    EXPECT_NO_THROW(socket->release());
}

TEST_F(RfcommTransportTest, UnreachableDeviceFailsAndASecondAttemptWorks) {
    m_bluez.setReachable(kAdapter, kCharger, false);
    const auto socket = m_platform.createSocket({"VT-Charger", kCharger, true}, false);
    const auto started = steady_clock::now();

    EXPECT_THROW(socket->connect(), LinkError);
    EXPECT_LT(steady_clock::now() - started, seconds(5));
    EXPECT_FALSE(socket->connected());

    m_bluez.setReachable(kAdapter, kCharger, true);
    socket->connect();
    ASSERT_TRUE(socket->connected());
    socket->send(kStartCommand);
    EXPECT_EQ(receiveAtLeast(*socket, sizeof kStartCommand - 1, seconds(5)), kStartCommand);
}

TEST_F(RfcommTransportTest, DeviceUnknownToBluezFails) {
    const auto socket = m_platform.createSocket({"stranger", "12:34:56:78:9A:BC", true}, false);

    EXPECT_THROW(socket->connect(), LinkError);
    EXPECT_FALSE(socket->connected());
}

TEST_F(RfcommTransportTest, UnconnectedSocketRefusesToSendAndReceive) {
    const auto socket = m_platform.createSocket({"VT-Charger", kCharger, true}, false);

    EXPECT_FALSE(socket->connected());
    EXPECT_THROW(socket->send(kStartCommand), LinkError);
    EXPECT_THROW(socket->receive(100), LinkError);
}

}  // namespace
}  // namespace velmora
