#pragma once

// In this order: winsock2.h, then windows.h, then the Bluetooth headers that need both.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <bluetoothapis.h>
#include <ws2bth.h>
// clang-format on

namespace velmora {

// The Win32 calls the Bluetooth binding makes, as a table: tests stand in for the radio,
// the paired devices and the RFCOMM socket, which wine does not have.
struct WinBluetoothApi {
    decltype(&::BluetoothFindFirstRadio) findFirstRadio = ::BluetoothFindFirstRadio;
    decltype(&::BluetoothFindRadioClose) findRadioClose = ::BluetoothFindRadioClose;
    decltype(&::CloseHandle) closeHandle = ::CloseHandle;
    decltype(&::BluetoothFindFirstDevice) findFirstDevice = ::BluetoothFindFirstDevice;
    decltype(&::BluetoothFindNextDevice) findNextDevice = ::BluetoothFindNextDevice;
    decltype(&::BluetoothFindDeviceClose) findDeviceClose = ::BluetoothFindDeviceClose;
    decltype(&::socket) openSocket = ::socket;
    decltype(&::setsockopt) setOption = ::setsockopt;
    decltype(&::connect) connectSocket = ::connect;
};

}  // namespace velmora
