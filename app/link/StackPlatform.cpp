#include "link/StackPlatform.h"

namespace velmora {

namespace {
BluetoothDevice toStack(const DeviceInfo& device) {
    return {device.name.toStdString(), device.address.toStdString(), device.paired};
}
}  // namespace

StackPlatform::StackPlatform(std::unique_ptr<BluetoothStack> stack) : m_stack(std::move(stack)) {}

bool StackPlatform::radioPresent() {
    return m_stack->radioPresent();
}

QList<DeviceInfo> StackPlatform::pairedDevices() {
    QList<DeviceInfo> devices;
    for (const BluetoothDevice& device : m_stack->pairedDevices())
        devices.append({QString::fromStdString(device.name), QString::fromStdString(device.address),
                        device.paired});
    return devices;
}

void StackPlatform::requestEnable() {
    m_stack->requestEnable();
}

bool StackPlatform::isPaired(const DeviceInfo& device) {
    return m_stack->isPaired(toStack(device));
}

std::unique_ptr<Transport> StackPlatform::createSocket(const DeviceInfo& device, bool secure) {
    return m_stack->createSocket(toStack(device), secure);
}

}  // namespace velmora
