#pragma once

#include <memory>

#include "link/BluetoothStack.h"

namespace velmora {

struct WinBluetoothApi;

// The Bluetooth stack of Windows: radios and paired devices from the Bluetooth APIs
// (bthprops), RFCOMM client sockets from Winsock (AF_BTH). Windows looks the Serial Port
// Profile channel up itself from the UUID in the socket address.
class WinsockBluetooth : public BluetoothStack {
public:
    // api: the Win32 calls to make; the system's when null.
    explicit WinsockBluetooth(std::shared_ptr<const WinBluetoothApi> api = nullptr);
    ~WinsockBluetooth() override;

    bool radioPresent() override;
    // Remembered and authenticated devices, from the system's list (no inquiry).
    std::vector<BluetoothDevice> pairedDevices() override;
    // Windows lets no program switch the radio on; the user does it in the settings.
    void requestEnable() override {}
    bool isPaired(const BluetoothDevice& device) override;
    std::unique_ptr<Transport> createSocket(const BluetoothDevice& device, bool secure) override;

private:
    std::shared_ptr<const WinBluetoothApi> m_api;
};

}  // namespace velmora
