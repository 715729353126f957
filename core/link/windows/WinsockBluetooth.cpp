#include "link/windows/WinsockBluetooth.h"

#include "link/BluetoothIds.h"
#include "link/StreamTransport.h"
#include "link/windows/WinBluetoothApi.h"
#include "link/windows/WindowsText.h"
#include "link/windows/Winsock.h"

namespace velmora {

namespace {

GUID serialPortService() {
    static const GUID guid = [] {
        Uuid uuid = *parseUuid(kSerialPortUuid);
        GUID g{uuid.data1, uuid.data2, uuid.data3, {}};
        for (size_t i = 0; i < uuid.data4.size(); ++i) g.Data4[i] = uuid.data4[i];
        return g;
    }();
    return guid;
}

LinkError apiError(const char* call, DWORD code) {
    return LinkError(std::string("Bluetooth ") + call + ": " + systemErrorText(code));
}

BluetoothDevice toDevice(const BLUETOOTH_DEVICE_INFO& info) {
    BluetoothDevice device;
    device.address = formatBluetoothAddress(info.Address.ullLong);
    device.name = utf8FromWide(info.szName);
    if (device.name.empty()) device.name = device.address;
    device.paired = info.fAuthenticated || info.fRemembered;
    return device;
}

// An RFCOMM client socket to the Serial Port Profile service of one device.
class WinRfcommTransport : public StreamTransport {
public:
    WinRfcommTransport(std::shared_ptr<const WinBluetoothApi> api, BTH_ADDR address, bool secure)
        : m_api(std::move(api)), m_address(address), m_secure(secure) {}
    ~WinRfcommTransport() override = default;

protected:
    sockets::Handle open() override {
        ensureWinsock();
        SOCKET s = m_api->openSocket(AF_BTH, SOCK_STREAM, BTHPROTO_RFCOMM);
        if (s == INVALID_SOCKET) throw failure("socket");
        try {
            if (m_secure) {
                // Both before connecting: the link is authenticated and encrypted before
                // the first byte flows.
                setFlag(s, SO_BTH_AUTHENTICATE, "authenticate");
                setFlag(s, SO_BTH_ENCRYPT, "encrypt");
            }
            SOCKADDR_BTH peer{};
            peer.addressFamily = AF_BTH;
            peer.btAddr = m_address;
            peer.serviceClassId = serialPortService();
            peer.port = 0;  // found by the system's service lookup
            if (m_api->connectSocket(s, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0)
                throw failure("connect");
        } catch (...) {
            sockets::closeSocket(static_cast<sockets::Handle>(s));
            throw;
        }
        return static_cast<sockets::Handle>(s);
    }

private:
    void setFlag(SOCKET s, int option, const char* what) {
        ULONG on = TRUE;
        if (m_api->setOption(s, SOL_RFCOMM, option, reinterpret_cast<const char*>(&on),
                             sizeof on) != 0)
            throw failure(what);
    }
    LinkError failure(const char* step) const {
        return LinkError("RFCOMM " + std::string(step) + " " + formatBluetoothAddress(m_address) +
                         ": " + sockets::lastError());
    }

    std::shared_ptr<const WinBluetoothApi> m_api;
    BTH_ADDR m_address;
    bool m_secure;
};

}  // namespace

WinsockBluetooth::WinsockBluetooth(std::shared_ptr<const WinBluetoothApi> api)
    : m_api(api ? std::move(api) : std::make_shared<WinBluetoothApi>()) {}

WinsockBluetooth::~WinsockBluetooth() = default;

bool WinsockBluetooth::radioPresent() {
    BLUETOOTH_FIND_RADIO_PARAMS params{};
    params.dwSize = sizeof params;
    HANDLE radio = nullptr;
    HBLUETOOTH_RADIO_FIND find = m_api->findFirstRadio(&params, &radio);
    if (!find) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_NO_MORE_ITEMS) return false;
        throw apiError("radio", code);
    }
    m_api->closeHandle(radio);
    m_api->findRadioClose(find);
    return true;
}

std::vector<BluetoothDevice> WinsockBluetooth::pairedDevices() {
    BLUETOOTH_DEVICE_SEARCH_PARAMS params{};
    params.dwSize = sizeof params;
    params.fReturnAuthenticated = TRUE;
    params.fReturnRemembered = TRUE;
    params.fReturnUnknown = FALSE;
    params.fReturnConnected = FALSE;
    params.fIssueInquiry = FALSE;  // the system's list only: asking around takes seconds
    params.hRadio = nullptr;       // every radio
    BLUETOOTH_DEVICE_INFO info{};
    info.dwSize = sizeof info;
    std::vector<BluetoothDevice> devices;
    HBLUETOOTH_DEVICE_FIND find = m_api->findFirstDevice(&params, &info);
    if (!find) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_NO_MORE_ITEMS) return devices;  // none paired
        throw apiError("devices", code);
    }
    DWORD code;
    for (;;) {
        devices.push_back(toDevice(info));
        info = BLUETOOTH_DEVICE_INFO{};
        info.dwSize = sizeof info;
        if (!m_api->findNextDevice(find, &info)) {
            code = ::GetLastError();
            break;
        }
    }
    m_api->findDeviceClose(find);
    if (code != ERROR_NO_MORE_ITEMS) throw apiError("devices", code);
    return devices;
}

bool WinsockBluetooth::isPaired(const BluetoothDevice& device) {
    const auto wanted = parseBluetoothAddress(device.address);
    if (!wanted) return false;
    for (const BluetoothDevice& paired : pairedDevices())
        if (parseBluetoothAddress(paired.address) == wanted) return paired.paired;
    return false;
}

std::unique_ptr<Transport> WinsockBluetooth::createSocket(const BluetoothDevice& device,
                                                          bool secure) {
    const auto address = parseBluetoothAddress(device.address);
    if (!address) throw LinkError("not a Bluetooth address: " + device.address);
    return std::make_unique<WinRfcommTransport>(m_api, *address, secure);
}

}  // namespace velmora
