#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A Bluetooth device address as a 48-bit number, most significant byte first in text.
std::string formatBluetoothAddress(std::uint64_t address);  // "00:11:22:AA:BB:CC"
// Accepts "AA:BB:CC:DD:EE:FF" in either case; nothing for any other text.
std::optional<std::uint64_t> parseBluetoothAddress(std::string_view text);

// A UUID in the field layout of a Windows GUID.
struct Uuid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};
// "00001101-0000-1000-8000-00805F9B34FB", with or without braces, either case.
std::optional<Uuid> parseUuid(std::string_view text);

}  // namespace velmora
