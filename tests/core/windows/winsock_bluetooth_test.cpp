// The Windows Bluetooth binding. Wine has no Bluetooth: its own stack makes every call
// fail, which shows what a user sees then; a stand-in for the Win32 calls shows that the
// device list, the RFCOMM socket and its options are what Windows expects.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "link/LinkMessages.h"
#include "link/SocketTransport.h"
#include "link/TReadThread.h"
#include "link/windows/WinBluetoothApi.h"
#include "link/windows/WindowsText.h"
#include "link/windows/WinsockBluetooth.h"
#include "wait_for.h"

using namespace velmora;

namespace {

const BluetoothDevice kCharger{"Velmora Charger", "00:1A:7D:DA:71:13", true};

// What the window shows when a Bluetooth step fails: it turns a LinkError into the step's
// message; any other exception would reach the general error dialog instead.
std::string messageShownFor(const char* stepMessage, const std::function<void()>& step) {
    try {
        step();
    } catch (const LinkError&) {
        return stepMessage;
    }
    return "";
}

struct FailingStep {
    const char* name;
    const char* message;
    std::function<void(WinsockBluetooth&)> run;
};

TEST(WinsockBluetoothOnWineTest, EveryFailureBecomesTheUsersMessage) {
    const std::vector<FailingStep> steps = {
        // Start-up, the device box, the dialogs: no radio or no list means Bluetooth is off.
        {"radio", kBluetoothOffMessage,
         [](WinsockBluetooth& bt) {
             if (!bt.radioPresent()) throw LinkError("no radio");
         }},
        {"paired devices", kBluetoothOffMessage, [](WinsockBluetooth& bt) { bt.pairedDevices(); }},
        // Connecting: whatever fails, the charger cannot be reached.
        {"paired test", kDeviceUnreachableMessage,
         [](WinsockBluetooth& bt) { bt.isPaired(kCharger); }},
        {"connect", kDeviceUnreachableMessage,
         [](WinsockBluetooth& bt) { bt.createSocket(kCharger, false)->connect(); }},
        {"secure connect", kDeviceUnreachableMessage,
         [](WinsockBluetooth& bt) { bt.createSocket(kCharger, true)->connect(); }},
        {"socket for a device from a stale list", kDeviceUnreachableMessage,
         [](WinsockBluetooth& bt) {
             bt.createSocket({"Printer", "sim:printer", true}, false);
         }},
    };
    WinsockBluetooth bluetooth;
    for (const FailingStep& step : steps)
        EXPECT_EQ(messageShownFor(step.message, [&] { step.run(bluetooth); }), step.message)
            << step.name;
    EXPECT_EQ(std::string(kBluetoothOffMessage), "Nyalakan bluetooth anda");
    EXPECT_EQ(std::string(kDeviceUnreachableMessage), "Matikan lalu hidupkan lagi charger anda");
    bluetooth.requestEnable();  // nothing to ask on Windows, and nothing to fail
}

TEST(WinsockBluetoothOnWineTest, AFailedSocketFailsEveryUseWithoutHanging) {
    WinsockBluetooth bluetooth;
    std::shared_ptr<Transport> socket = bluetooth.createSocket(kCharger, false);
    try {
        socket->connect();
        FAIL() << "wine has no RFCOMM";
    } catch (const LinkError& error) {
        EXPECT_NE(std::string(error.what()).find("00:1A:7D:DA:71:13"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(socket->connected());
    EXPECT_THROW(socket->send("#KWPRZ41*"), LinkError);
    EXPECT_THROW(socket->receive(5000), LinkError);

    // A receive thread on it idles, as on any link that is not connected, and stops at once.
    LiveChargerState state;
    std::atomic<bool> stop{false};
    TReadThread reader(socket, state, stop, ReaderTiming{5000, 3600 * 1000});
    reader.start();
    reader.stop();
    EXPECT_FALSE(reader.running());
    EXPECT_FALSE(reader.linkLost());
    socket->release();
    socket->release();
}

// A stand-in for the Bluetooth stack behind the Win32 calls. Plain functions, so the
// state is global; each test starts from a fresh one.
struct FakeStack {
    DWORD radioError = ERROR_SUCCESS;  // ERROR_SUCCESS: one radio
    std::vector<BLUETOOTH_DEVICE_INFO> devices;
    DWORD listError = ERROR_NO_MORE_ITEMS;  // how the listing ends
    size_t next = 0;
    int openFinds = 0;
    BLUETOOTH_DEVICE_SEARCH_PARAMS search{};
    std::vector<int> socketArgs;
    std::vector<std::pair<int, int>> options;  // level, name of options set to TRUE
    bool connectSeenAfterOptions = false;
    SOCKADDR_BTH peer{};
    u_short tcpPort = 0;  // where "connect" really goes
};
FakeStack fake;

// Templates where SDKs differ on const: the table's type picks the parameter type.
template <typename Params>
HBLUETOOTH_RADIO_FIND WINAPI fakeFirstRadio(Params*, HANDLE* radio) {
    if (fake.radioError != ERROR_SUCCESS) {
        ::SetLastError(fake.radioError);
        return nullptr;
    }
    *radio = reinterpret_cast<HANDLE>(0x100);
    ++fake.openFinds;
    return reinterpret_cast<HBLUETOOTH_RADIO_FIND>(0x200);
}
BOOL WINAPI fakeRadioClose(HBLUETOOTH_RADIO_FIND) {
    --fake.openFinds;
    return TRUE;
}
BOOL WINAPI fakeCloseHandle(HANDLE) {
    return TRUE;
}
BOOL fillNext(BLUETOOTH_DEVICE_INFO* info) {
    if (fake.next >= fake.devices.size()) {
        ::SetLastError(fake.listError);
        return FALSE;
    }
    if (info->dwSize != sizeof(BLUETOOTH_DEVICE_INFO)) return FALSE;
    *info = fake.devices[fake.next++];
    return TRUE;
}
template <typename Params>
HBLUETOOTH_DEVICE_FIND WINAPI fakeFirstDevice(Params* params, BLUETOOTH_DEVICE_INFO* info) {
    fake.search = *params;
    fake.next = 0;
    if (!fillNext(info)) return nullptr;
    ++fake.openFinds;
    return reinterpret_cast<HBLUETOOTH_DEVICE_FIND>(0x300);
}
BOOL WINAPI fakeNextDevice(HBLUETOOTH_DEVICE_FIND, BLUETOOTH_DEVICE_INFO* info) {
    return fillNext(info);
}
BOOL WINAPI fakeDeviceClose(HBLUETOOTH_DEVICE_FIND) {
    --fake.openFinds;
    return TRUE;
}
SOCKET WSAAPI fakeSocket(int family, int type, int protocol) {
    fake.socketArgs = {family, type, protocol};
    return ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);  // a real socket to carry the bytes
}
int WSAAPI fakeSetOption(SOCKET, int level, int name, const char* value, int size) {
    if (size == sizeof(ULONG) && *reinterpret_cast<const ULONG*>(value) == TRUE)
        fake.options.emplace_back(level, name);
    return 0;
}
int WSAAPI fakeConnect(SOCKET s, const sockaddr* address, int size) {
    if (size != sizeof(SOCKADDR_BTH)) {
        ::WSASetLastError(WSAEFAULT);
        return SOCKET_ERROR;
    }
    std::memcpy(&fake.peer, address, sizeof fake.peer);
    if (fake.tcpPort == 0) {
        ::WSASetLastError(WSAETIMEDOUT);  // the charger is off
        return SOCKET_ERROR;
    }
    sockaddr_in loopback{};
    loopback.sin_family = AF_INET;
    loopback.sin_port = ::htons(fake.tcpPort);
    loopback.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    return ::connect(s, reinterpret_cast<sockaddr*>(&loopback), sizeof loopback);
}

BLUETOOTH_DEVICE_INFO deviceInfo(ULONGLONG address, const wchar_t* name, bool authenticated,
                                 bool remembered) {
    BLUETOOTH_DEVICE_INFO info{};
    info.dwSize = sizeof info;
    info.Address.ullLong = address;
    std::wcsncpy(info.szName, name, BLUETOOTH_MAX_NAME_SIZE - 1);
    info.fAuthenticated = authenticated;
    info.fRemembered = remembered;
    return info;
}

class WinsockBluetoothStandInTest : public ::testing::Test {
protected:
    void SetUp() override { fake = FakeStack{}; }
    void TearDown() override { EXPECT_EQ(fake.openFinds, 0) << "a find handle was left open"; }

    static std::shared_ptr<WinBluetoothApi> api() {
        auto calls = std::make_shared<WinBluetoothApi>();
        calls->findFirstRadio = fakeFirstRadio;
        calls->findRadioClose = fakeRadioClose;
        calls->closeHandle = fakeCloseHandle;
        calls->findFirstDevice = fakeFirstDevice;
        calls->findNextDevice = fakeNextDevice;
        calls->findDeviceClose = fakeDeviceClose;
        calls->openSocket = fakeSocket;
        calls->setOption = fakeSetOption;
        calls->connectSocket = fakeConnect;
        return calls;
    }
    WinsockBluetooth m_bluetooth{api()};
};

TEST_F(WinsockBluetoothStandInTest, RadioPresentOnlyWhenOneIsFound) {
    EXPECT_TRUE(m_bluetooth.radioPresent());
    fake.radioError = ERROR_NO_MORE_ITEMS;
    EXPECT_FALSE(m_bluetooth.radioPresent());
    fake.radioError = ERROR_INVALID_HANDLE;
    EXPECT_THROW(m_bluetooth.radioPresent(), LinkError);
}

TEST_F(WinsockBluetoothStandInTest, PairedDevicesInTheSystemsOrderWithoutInquiry) {
    fake.devices = {deviceInfo(0x001A7DDA7113, L"Velmora Charger", true, true),
                    deviceInfo(0x66778899AABB, L"Printer \u00DC58 \u26A1", false, true),
                    deviceInfo(0x0000000000C1, L"", true, false)};
    std::vector<BluetoothDevice> devices = m_bluetooth.pairedDevices();
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].name, "Velmora Charger");
    EXPECT_EQ(devices[0].address, "00:1A:7D:DA:71:13");
    EXPECT_EQ(devices[1].name,
              "Printer \xC3\x9C"
              "58 \xE2\x9A\xA1");  // UTF-8
    EXPECT_EQ(devices[1].address, "66:77:88:99:AA:BB");
    EXPECT_EQ(devices[2].name, "00:00:00:00:00:C1");  // no name: the address stands in
    for (const BluetoothDevice& device : devices) EXPECT_TRUE(device.paired);

    EXPECT_TRUE(fake.search.fReturnAuthenticated);
    EXPECT_TRUE(fake.search.fReturnRemembered);
    EXPECT_FALSE(fake.search.fReturnUnknown);
    EXPECT_FALSE(fake.search.fIssueInquiry);
    EXPECT_EQ(fake.search.dwSize, sizeof(BLUETOOTH_DEVICE_SEARCH_PARAMS));

    EXPECT_TRUE(m_bluetooth.isPaired({"", "66:77:88:99:aa:bb", true}));
    EXPECT_FALSE(m_bluetooth.isPaired({"", "66:77:88:99:AA:BC", true}));
}

TEST_F(WinsockBluetoothStandInTest, NonePairedIsAnEmptyListAndABrokenListAnError) {
    EXPECT_TRUE(m_bluetooth.pairedDevices().empty());
    fake.listError = ERROR_INVALID_PARAMETER;
    EXPECT_THROW(m_bluetooth.pairedDevices(), LinkError);
    fake.devices = {deviceInfo(0x001A7DDA7113, L"Velmora Charger", true, true)};
    EXPECT_THROW(m_bluetooth.pairedDevices(), LinkError);  // ended with an error mid-list
}

TEST_F(WinsockBluetoothStandInTest, SocketAsksForTheSerialPortServiceOfTheDevice) {
    SocketListener device("tcp:127.0.0.1:0");
    fake.tcpPort =
        static_cast<u_short>(std::stoi(device.address().substr(device.address().rfind(':') + 1)));

    std::shared_ptr<Transport> link = m_bluetooth.createSocket(kCharger, false);
    link->connect();
    EXPECT_EQ(fake.socketArgs, (std::vector<int>{AF_BTH, SOCK_STREAM, BTHPROTO_RFCOMM}));
    EXPECT_TRUE(fake.options.empty());  // the charger's plain link asks for no security
    EXPECT_EQ(fake.peer.addressFamily, AF_BTH);
    EXPECT_EQ(fake.peer.btAddr, 0x001A7DDA7113ull);
    EXPECT_EQ(fake.peer.port, 0u);  // the system looks the channel up
    const GUID serialPort{
        0x00001101, 0x0000, 0x1000, {0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB}};
    EXPECT_EQ(std::memcmp(&fake.peer.serviceClassId, &serialPort, sizeof serialPort), 0);

    // The connected link carries bytes both ways.
    std::unique_ptr<SocketTransport> charger = device.accept(20000);
    ASSERT_TRUE(charger);
    link->send("#KWPRZ41*");
    std::string got;
    ASSERT_TRUE(waitFor([&] { return (got += charger->receive(100)) == "#KWPRZ41*"; }));
    charger->send("#|STANDBY|*\r\n");
    got.clear();
    ASSERT_TRUE(waitFor([&] { return (got += link->receive(100)) == "#|STANDBY|*\r\n"; }));
    link->release();
    EXPECT_FALSE(link->connected());
}

TEST_F(WinsockBluetoothStandInTest, SecureSocketIsAuthenticatedAndEncryptedBeforeConnecting) {
    std::shared_ptr<Transport> link = m_bluetooth.createSocket(kCharger, true);
    EXPECT_THROW(link->connect(), LinkError);  // the stand-in charger is off
    EXPECT_EQ(fake.options, (std::vector<std::pair<int, int>>{{SOL_RFCOMM, SO_BTH_AUTHENTICATE},
                                                              {SOL_RFCOMM, SO_BTH_ENCRYPT}}));
    EXPECT_EQ(fake.peer.btAddr, 0x001A7DDA7113ull);  // options first, then connect
    EXPECT_FALSE(link->connected());
}

TEST(WindowsTextTest, WideTextBecomesUtf8AndErrorsAreWordedWithTheirCode) {
    EXPECT_EQ(utf8FromWide(L"Charger \u00C4 \u20AC"), "Charger \xC3\x84 \xE2\x82\xAC");
    EXPECT_EQ(utf8FromWide(L""), "");
    EXPECT_EQ(utf8FromWide(nullptr), "");
    const std::string text = systemErrorText(WSAECONNREFUSED);
    EXPECT_NE(text.find("(10061)"), std::string::npos) << text;
    EXPECT_GT(text.size(), std::string(" (10061)").size()) << text;
}

TEST(WindowsSocketTest, UnixDomainAddressesAreRefusedWithAReason) {
    SocketTransport link("unix:/tmp/velmora.sock");
    EXPECT_THROW(link.connect(), LinkError);
    EXPECT_THROW(SocketListener("unix:/tmp/velmora.sock"), LinkError);
}

}  // namespace
