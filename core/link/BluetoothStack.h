#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/Transport.h"

namespace velmora {

// A device the operating system has paired, as the Bluetooth stack reports it.
struct BluetoothDevice {
    std::string name;     // UTF-8
    std::string address;  // "AA:BB:CC:DD:EE:FF"
    bool paired = false;
};

// The operating system's Bluetooth stack without any toolkit: radio, paired devices and
// RFCOMM client sockets to the Serial Port Profile service. Every failure is a LinkError.
class BluetoothStack {
public:
    virtual ~BluetoothStack() = default;

    // True when a local radio exists. Throws when the stack cannot be asked.
    virtual bool radioPresent() = 0;
    // Paired devices, fetched afresh, in the platform's order. Empty when none.
    virtual std::vector<BluetoothDevice> pairedDevices() = 0;
    // Asks the platform to switch the radio on; may do nothing.
    virtual void requestEnable() = 0;
    // Whether the device is still paired right now.
    virtual bool isPaired(const BluetoothDevice& device) = 0;
    // A client socket to the device's Serial Port Profile service, not yet connected.
    // With secure set the link is authenticated and encrypted before data flows.
    virtual std::unique_ptr<Transport> createSocket(const BluetoothDevice& device, bool secure) = 0;
};

// Serial Port Profile service class; the platform looks its RFCOMM channel up.
inline constexpr const char* kSerialPortUuid = "00001101-0000-1000-8000-00805F9B34FB";

}  // namespace velmora
