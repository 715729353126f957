#pragma once

#include <atomic>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "link/Transport.h"

namespace velmora {

// Plays back a recorded byte stream as a sequence of receive chunks, then reports the
// link closed. Lets a capture go through the very same receive loop as a live link.
class ReplayTransport : public Transport {
public:
    // The next chunk of the recording, or nothing once it has ended.
    using ChunkSource = std::function<std::optional<std::string>()>;

    explicit ReplayTransport(ChunkSource source) : m_source(std::move(source)) {}
    explicit ReplayTransport(std::vector<std::string> chunks);

    // Reads `in` while it is played, so a capture of any size takes little memory. Every
    // LF ends one chunk, as does kMaxLineChunk bytes without one (the receive buffer keeps
    // no more anyway); with chunkSize > 0 every chunk is that many bytes instead, at most
    // kMaxChunk, so a huge size never holds a whole capture in memory. `in` must outlive
    // the source.
    static ChunkSource streamChunks(std::istream& in, size_t chunkSize = 0);
    static constexpr size_t kMaxLineChunk = 64 * 1024;
    static constexpr size_t kMaxChunk = 1024 * 1024;
    static std::vector<std::string> chunksByLine(const std::string& stream);
    static std::vector<std::string> chunksBySize(const std::string& stream, size_t size);

    void connect() override {}
    bool connected() const override { return !m_closed; }
    void send(const std::string&) override {}
    std::string receive(int timeoutMs) override;
    void release() override { m_closed = true; }

private:
    ChunkSource m_source;
    // Read by the receiving thread, set by release() from any thread.
    std::atomic<bool> m_closed{false};
};

}  // namespace velmora
