#pragma once

#include <memory>

#include "link/BluetoothPlatform.h"
#include "link/BluetoothStack.h"

namespace velmora {

// The window's Bluetooth platform over a toolkit-free stack from core (on Windows the
// Winsock binding): the same calls, with names and addresses as QString.
class StackPlatform : public BluetoothPlatform {
public:
    explicit StackPlatform(std::unique_ptr<BluetoothStack> stack);

    bool radioPresent() override;
    QList<DeviceInfo> pairedDevices() override;
    void requestEnable() override;
    bool isPaired(const DeviceInfo& device) override;
    std::unique_ptr<Transport> createSocket(const DeviceInfo& device, bool secure) override;

private:
    std::unique_ptr<BluetoothStack> m_stack;
};

}  // namespace velmora
