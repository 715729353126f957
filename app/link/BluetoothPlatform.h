#pragma once

#include <QList>
#include <QString>
#include <memory>

#include "link/BluetoothStack.h"  // kSerialPortUuid
#include "link/Transport.h"

namespace velmora {

// A device the operating system knows, as shown in the device boxes.
struct DeviceInfo {
    QString name;
    QString address;  // "AA:BB:CC:DD:EE:FF" for Bluetooth, free-form for simulated peers
    bool paired = false;
};

// The Bluetooth stack as the window uses it: radio, paired devices, client sockets.
// Listing and socket creation throw LinkError when the stack cannot be reached.
class BluetoothPlatform {
public:
    virtual ~BluetoothPlatform() = default;

    // True when a local radio exists and is usable.
    virtual bool radioPresent() = 0;
    // Paired devices, fetched afresh, in the platform's order. Empty when none.
    virtual QList<DeviceInfo> pairedDevices() = 0;
    // Asks the platform to switch the radio on; may do nothing.
    virtual void requestEnable() = 0;
    // Whether the device is still paired right now.
    virtual bool isPaired(const DeviceInfo& device) = 0;
    // A client socket to the device's Serial Port Profile service, not yet connected.
    // With secure set the link is authenticated and encrypted.
    virtual std::unique_ptr<Transport> createSocket(const DeviceInfo& device, bool secure) = 0;
    // True for a device known to be a charger (a printer can never be one).
    virtual bool isKnownCharger(const DeviceInfo&) { return false; }
    // True for a device known to be a printer (a charger can never be one).
    virtual bool isKnownPrinter(const DeviceInfo&) { return false; }
    // True for a receipt printer reached over the network: printing to it needs no
    // Bluetooth link, so the charger's link stays where it is.
    virtual bool isNetworkPrinter(const DeviceInfo&) { return false; }
    // Lists a network printer ("tcp:HOST:PORT") from now on; false where this platform
    // cannot reach one.
    virtual bool addNetworkPrinter(const QString&) { return false; }
};

}  // namespace velmora
