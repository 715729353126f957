#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One complete frame cut into its messages.
struct Frame {
    // The frame ended with the empty current history "#|5|*" before its line end.
    bool endOfTest = false;
    std::vector<std::string> messages;
};

// Collects received chunks until the buffer is a complete frame: it starts with "#" and
// the last chunk left it ending in LF. The buffer is bounded and resynchronises on the
// next "#" so line noise or a lost LF cannot wedge the link.
class FrameAssembler {
public:
    static constexpr size_t kDefaultLimit = 64 * 1024;

    explicit FrameAssembler(size_t limit = kDefaultLimit) : m_limit(limit) {}

    // Appends one received chunk; returns true and fills `frame` when the buffer now
    // holds a complete frame (the buffer is then emptied).
    bool append(std::string_view chunk, Frame& frame);
    // What waits for its frame end: empty or starting with "#", at most the limit long.
    std::string_view buffered() const { return std::string_view(m_buffer).substr(m_start); }
    // Bytes the buffer holds on to, trimmed ones included (at most about twice the limit).
    size_t footprint() const { return m_buffer.capacity(); }
    void clear();

private:
    void resynchronise();

    size_t m_limit;
    std::string m_buffer;
    size_t m_start = 0;  // bytes before it are trimmed noise, dropped at the next compaction
};

// Cuts a complete frame into messages: CR skipped, a message ends at each "*", text left
// without its "*" at a line end or at the frame's end is dropped. Bytes above 127 become "?".
void splitFrame(std::string_view frameText, Frame& frame);

}  // namespace velmora
