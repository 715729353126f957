#pragma once

#include "link/BluetoothPlatform.h"

namespace velmora {

// The Bluetooth stack of Linux: bluetoothd (BlueZ 5) asked over the D-Bus system bus for
// the radio and the paired devices, QtBluetooth for the RFCOMM sockets. Every D-Bus call
// gives up after a few seconds, so a missing or stuck daemon surfaces as LinkError.
class BluezPlatform : public BluetoothPlatform {
public:
    // Present means the default adapter exists and is powered: an adapter that is off
    // cannot reach a device, and the application then offers to switch it on.
    bool radioPresent() override;
    // The paired devices of the default adapter, in bluetoothd's order.
    QList<DeviceInfo> pairedDevices() override;
    // Powers the default adapter. Best effort: failures are ignored, as nobody reads them.
    void requestEnable() override;
    bool isPaired(const DeviceInfo& device) override;
    std::unique_ptr<Transport> createSocket(const DeviceInfo& device, bool secure) override;
};

}  // namespace velmora
