#include "link/NativeBluetooth.h"

#include "link/bluez/BluezPlatform.h"

namespace velmora {

std::unique_ptr<BluetoothPlatform> createNativeBluetooth() {
    return std::make_unique<BluezPlatform>();
}

}  // namespace velmora
