#pragma once

#include <optional>
#include <string>

namespace velmora {

// The port a network receipt printer takes raw ESC/POS bytes on (JetDirect).
inline constexpr int kRawPrintPort = 9100;

// A network receipt printer's address as a user types it ("192.168.1.20",
// "192.168.1.20:9100", "tcp:192.168.1.20:9100"), as the socket address the links open
// ("tcp:192.168.1.20:9100"). Nothing when it names no IPv4 host and port: the socket
// layer connects to numeric addresses only, so a name would fail only when printing.
std::optional<std::string> networkPrinterAddress(const std::string& typed);

}  // namespace velmora
