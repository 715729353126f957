#pragma once

#include <deque>
#include <string>
#include <vector>

#include "link/Transport.h"

namespace velmora {

// Plays back a recorded byte stream as a sequence of receive chunks, then reports the
// link closed. Lets a capture go through the very same receive loop as a live link.
class ReplayTransport : public Transport {
public:
    explicit ReplayTransport(std::vector<std::string> chunks)
        : m_chunks(chunks.begin(), chunks.end()) {}

    // Every LF ends one chunk (a trailing piece without LF is a chunk of its own).
    static std::vector<std::string> chunksByLine(const std::string& stream);
    static std::vector<std::string> chunksBySize(const std::string& stream, size_t size);

    void connect() override {}
    bool connected() const override { return !m_closed; }
    void send(const std::string&) override {}
    std::string receive(int) override {
        if (m_chunks.empty()) {
            m_closed = true;
            throw LinkError("end of recording");
        }
        std::string chunk = std::move(m_chunks.front());
        m_chunks.pop_front();
        return chunk;
    }
    void release() override { m_closed = true; }

private:
    std::deque<std::string> m_chunks;
    bool m_closed = false;
};

}  // namespace velmora
