#include "link/NativeBluetooth.h"

#include "link/StackPlatform.h"
#include "link/windows/WinsockBluetooth.h"

namespace velmora {

// QtBluetooth's Windows backend needs MSVC and its WinRT APIs; the Winsock binding works
// with every toolchain.
std::unique_ptr<BluetoothPlatform> createNativeBluetooth() {
    return std::make_unique<StackPlatform>(std::make_unique<WinsockBluetooth>());
}

}  // namespace velmora
