#include "link/bluez/BluezPlatform.h"

#include <QBluetoothAddress>
#include <QDBusConnection>
#include <QDBusObjectPath>

#include "link/bluez/BluezObjects.h"
#include "link/bluez/RfcommTransport.h"

namespace velmora {

namespace {

using bluez::BluezObject;
using bluez::kDeviceInterface;

bool belongsTo(const BluezObject& device, const BluezObject& adapter) {
    return device.has(kDeviceInterface) &&
           device.property(kDeviceInterface, "Adapter").value<QDBusObjectPath>().path() ==
               adapter.path;
}

DeviceInfo toDeviceInfo(const BluezObject& device) {
    DeviceInfo info;
    info.address = device.property(kDeviceInterface, "Address").toString();
    // Name is what the device announces; a device that never told it still has an alias.
    info.name = device.property(kDeviceInterface, "Name").toString();
    if (info.name.isEmpty()) info.name = device.property(kDeviceInterface, "Alias").toString();
    if (info.name.isEmpty()) info.name = info.address;
    info.paired = device.property(kDeviceInterface, "Paired").toBool();
    return info;
}

QList<DeviceInfo> adapterDevices(const QList<BluezObject>& objects) {
    QList<DeviceInfo> devices;
    const BluezObject* adapter = bluez::defaultAdapter(objects);
    if (adapter == nullptr) return devices;
    for (const auto& object : objects) {
        if (belongsTo(object, *adapter)) devices.append(toDeviceInfo(object));
    }
    return devices;
}

}  // namespace

bool BluezPlatform::radioPresent() {
    const auto objects = bluez::fetchObjects(QDBusConnection::systemBus());
    const BluezObject* adapter = bluez::defaultAdapter(objects);
    return adapter != nullptr && adapter->property(bluez::kAdapterInterface, "Powered").toBool();
}

QList<DeviceInfo> BluezPlatform::pairedDevices() {
    QList<DeviceInfo> paired;
    for (const auto& device : adapterDevices(bluez::fetchObjects(QDBusConnection::systemBus()))) {
        if (device.paired) paired.append(device);
    }
    return paired;
}

void BluezPlatform::requestEnable() {
    try {
        const QDBusConnection bus = QDBusConnection::systemBus();
        const auto objects = bluez::fetchObjects(bus);
        if (const BluezObject* adapter = bluez::defaultAdapter(objects)) {
            bluez::setProperty(bus, adapter->path, bluez::kAdapterInterface, "Powered", true);
        }
    } catch (const LinkError&) {
        // Nothing to do: the caller goes on without Bluetooth and asks again later.
    }
}

bool BluezPlatform::isPaired(const DeviceInfo& device) {
    const QBluetoothAddress wanted(device.address);
    for (const auto& known : adapterDevices(bluez::fetchObjects(QDBusConnection::systemBus()))) {
        if (QBluetoothAddress(known.address) == wanted) return known.paired;
    }
    return false;
}

std::unique_ptr<Transport> BluezPlatform::createSocket(const DeviceInfo& device, bool secure) {
    if (QBluetoothAddress(device.address).isNull()) {
        throw LinkError("not a Bluetooth address: " + device.address.toStdString());
    }
    return std::make_unique<RfcommTransport>(device.address, secure);
}

}  // namespace velmora
