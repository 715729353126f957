#include "link/ReplayTransport.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <sstream>

namespace velmora {

namespace {
std::optional<std::string> nonEmpty(std::string chunk) {
    if (chunk.empty()) return std::nullopt;
    return chunk;
}

std::string readLine(std::streambuf& in, size_t limit) {
    std::string chunk;
    for (int c; chunk.size() < limit && (c = in.sbumpc()) != std::char_traits<char>::eof();) {
        chunk += static_cast<char>(c);
        if (c == '\n') break;
    }
    return chunk;
}

// Grows the chunk piece by piece: a large chunk size costs memory only for bytes read.
std::string readBytes(std::streambuf& in, size_t size) {
    std::string chunk;
    while (chunk.size() < size) {
        const size_t had = chunk.size();
        const size_t wanted = std::min(size - had, ReplayTransport::kMaxLineChunk);
        chunk.resize(had + wanted);
        const std::streamsize got =
            in.sgetn(chunk.data() + had, static_cast<std::streamsize>(wanted));
        chunk.resize(had + static_cast<size_t>(got));
        if (static_cast<size_t>(got) < wanted) break;  // the end of the recording
    }
    return chunk;
}

std::vector<std::string> allChunks(const std::string& stream, size_t chunkSize) {
    std::istringstream in(stream);
    ReplayTransport::ChunkSource source = ReplayTransport::streamChunks(in, chunkSize);
    std::vector<std::string> chunks;
    while (std::optional<std::string> chunk = source()) chunks.push_back(std::move(*chunk));
    return chunks;
}
}  // namespace

ReplayTransport::ReplayTransport(std::vector<std::string> chunks) {
    auto queue = std::make_shared<std::deque<std::string>>(std::make_move_iterator(chunks.begin()),
                                                           std::make_move_iterator(chunks.end()));
    m_source = [queue]() -> std::optional<std::string> {
        if (queue->empty()) return std::nullopt;
        std::string chunk = std::move(queue->front());
        queue->pop_front();
        return chunk;
    };
}

ReplayTransport::ChunkSource ReplayTransport::streamChunks(std::istream& in, size_t chunkSize) {
    return [&in, chunkSize]() -> std::optional<std::string> {
        std::streambuf* buffer = in.rdbuf();
        if (!buffer) return std::nullopt;
        return nonEmpty(chunkSize > 0 ? readBytes(*buffer, std::min(chunkSize, kMaxChunk))
                                      : readLine(*buffer, kMaxLineChunk));
    };
}

std::vector<std::string> ReplayTransport::chunksByLine(const std::string& stream) {
    return allChunks(stream, 0);
}

std::vector<std::string> ReplayTransport::chunksBySize(const std::string& stream, size_t size) {
    return allChunks(stream, size == 0 ? 1 : size);
}

std::string ReplayTransport::receive(int) {
    std::optional<std::string> chunk;
    if (!m_closed) chunk = m_source();
    if (!chunk) {
        m_closed = true;
        throw LinkError("end of recording");
    }
    return std::move(*chunk);
}

}  // namespace velmora
