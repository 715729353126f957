#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

namespace soak {

// Matches the messages the receive thread parses against those the charger sent intact,
// in order, without keeping the whole run in memory.
class MessageLedger {
public:
    struct Figures {
        std::uint64_t sent = 0;         // intact messages sent
        std::uint64_t corrupted = 0;    // deliberately corrupted messages sent
        std::uint64_t parsed = 0;       // every message the parser was handed
        std::uint64_t matched = 0;      // parsed messages equal to an intact one sent
        std::uint64_t lost = 0;         // intact messages passed over by a later match
        std::uint64_t noise = 0;        // parsed messages that were none of those sent
        std::uint64_t noiseStored = 0;  // noise that the parser accepted as a message
        std::uint64_t outstanding = 0;  // intact messages sent but not (yet) parsed
    };

    // Charger side, before the bytes go out.
    void sent(const std::string& message);
    void corrupted();
    // Receive thread, for each message handed to the parser.
    void parsed(const std::string& message, bool stored);
    Figures figures() const;

private:
    mutable std::mutex m_mutex;
    std::deque<std::string> m_expected;
    Figures m_figures;
};

}  // namespace soak
