#pragma once

#include <memory>

#include "link/BluetoothPlatform.h"

namespace velmora {

// The operating system's Bluetooth stack: BlueZ on Linux (bluez/), Winsock on Windows
// (windows/). The build picks the folder.
std::unique_ptr<BluetoothPlatform> createNativeBluetooth();

}  // namespace velmora
