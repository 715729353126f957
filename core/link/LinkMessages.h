#pragma once

namespace velmora {

// What the user is told when a Bluetooth step fails: the radio or the list of paired
// devices cannot be reached, or the chosen device cannot be reached or opened.
inline constexpr const char* kBluetoothOffMessage = "Nyalakan bluetooth anda";
inline constexpr const char* kDeviceUnreachableMessage = "Matikan lalu hidupkan lagi charger anda";

}  // namespace velmora
