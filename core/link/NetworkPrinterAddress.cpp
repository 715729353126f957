#include "link/NetworkPrinterAddress.h"

#include <cctype>
#include <vector>

namespace velmora {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A decimal number of 1 to 5 digits within [min, max], else -1.
int numberIn(const std::string& digits, int min, int max) {
    if (digits.empty() || digits.size() > 5) return -1;
    int value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        value = value * 10 + (c - '0');
    }
    return value >= min && value <= max ? value : -1;
}

bool isIpv4(const std::string& host) {
    std::vector<std::string> parts(1);
    for (char c : host) {
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4) return false;
    for (const std::string& part : parts)
        if (part.size() > 3 || numberIn(part, 0, 255) < 0) return false;
    return true;
}

}  // namespace

std::optional<std::string> networkPrinterAddress(const std::string& typed) {
    std::string rest = trimmed(typed);
    if (rest.rfind("tcp:", 0) == 0) rest = rest.substr(4);
    std::string host = rest;
    int port = kRawPrintPort;
    if (const auto colon = rest.find(':'); colon != std::string::npos) {
        host = rest.substr(0, colon);
        port = numberIn(rest.substr(colon + 1), 1, 65535);
    }
    if (port < 0 || !isIpv4(host)) return std::nullopt;
    return "tcp:" + host + ":" + std::to_string(port);
}

}  // namespace velmora
