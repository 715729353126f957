#include <gtest/gtest.h>

#include "link/NetworkPrinterAddress.h"

namespace velmora {
namespace {

struct AddressCase {
    const char* typed;
    const char* expected;  // nullptr: refused
};

TEST(NetworkPrinterAddressTest, TypedAddressesBecomeSocketAddresses) {
    const AddressCase cases[] = {
        {"192.168.1.20", "tcp:192.168.1.20:9100"},
        {"192.168.1.20:9100", "tcp:192.168.1.20:9100"},
        {"  10.0.0.7:4000 ", "tcp:10.0.0.7:4000"},
        {"tcp:127.0.0.1:5555", "tcp:127.0.0.1:5555"},
        {"0.0.0.0:1", "tcp:0.0.0.0:1"},
        {"255.255.255.255:65535", "tcp:255.255.255.255:65535"},
        {"", nullptr},
        {"tcp:", nullptr},
        {"printer.local:9100", nullptr},
        {"192.168.1", nullptr},
        {"192.168.1.20.5", nullptr},
        {"192.168.1.256", nullptr},
        {"192.168..20", nullptr},
        {"192.168.1.20:", nullptr},
        {"192.168.1.20:0", nullptr},
        {"192.168.1.20:65536", nullptr},
        {"192.168.1.20:91OO", nullptr},
        {"192.168.1.20:9100:1", nullptr},
        {"192.168.1.-2", nullptr},
        {"1234.1.1.1", nullptr},
        {"192.168.1.20 9100", nullptr},
        {"unix:/tmp/printer", nullptr},
    };
    for (const AddressCase& c : cases) {
        const std::optional<std::string> address = networkPrinterAddress(c.typed);
        if (c.expected) {
            ASSERT_TRUE(address.has_value()) << c.typed;
            EXPECT_EQ(*address, c.expected) << c.typed;
        } else {
            EXPECT_FALSE(address.has_value()) << c.typed << " -> " << address.value_or("");
        }
    }
}

}  // namespace
}  // namespace velmora
