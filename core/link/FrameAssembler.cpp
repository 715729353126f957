#include "link/FrameAssembler.h"

namespace velmora {

namespace {
constexpr char kFrameStart = '#';
constexpr char kFrameEnd = '\n';
constexpr char kMessageEnd = '*';
constexpr std::string_view kEmptyCurrentHistory = "#|5|*";

// Characters n-6 .. n-2 of the frame, counting from 1 (n = its length): the character
// before the LF, normally CR, is not looked at.
bool endsWithEmptyCurrentHistory(std::string_view text) {
    const size_t n = text.size();
    return n >= 7 && text.substr(n - 7, 5) == kEmptyCurrentHistory;
}
}  // namespace

void splitFrame(std::string_view frameText, Frame& frame) {
    frame.endOfTest = endsWithEmptyCurrentHistory(frameText);
    frame.messages.clear();
    std::string pending;
    for (unsigned char c : frameText) {
        if (c == '\r') continue;
        if (c == '\n') {
            // Every message ends in "*" before its line end: what is pending here is a
            // line of noise or a message that lost its "*", and must not swallow the next.
            pending.clear();
            continue;
        }
        pending += c > 127 ? '?' : static_cast<char>(c);
        if (c == kMessageEnd) {
            frame.messages.push_back(std::move(pending));
            pending.clear();
        }
    }
}

void FrameAssembler::clear() {
    m_buffer.clear();
    m_start = 0;
}

// Keeps the longest tail that starts with "#" and fits the limit. One search from the
// oldest byte the limit allows finds it, however many "#" came before; trimming only
// moves m_start, and the bytes before it are compacted away once they outgrow the limit,
// so a stream of noise costs a constant amount per byte.
void FrameAssembler::resynchronise() {
    const size_t size = m_buffer.size() - m_start;
    const size_t from = m_start + (size > m_limit ? size - m_limit : 0);
    const size_t next = m_buffer.find(kFrameStart, from);
    if (next == std::string::npos) {
        clear();
        return;
    }
    m_start = next;
    if (m_start > m_limit) {
        m_buffer.erase(0, m_start);
        m_start = 0;
    }
}

bool FrameAssembler::append(std::string_view chunk, Frame& frame) {
    if (chunk.size() >= m_limit) {
        // Only the chunk's last `limit` bytes can survive trimming.
        clear();
        chunk.remove_prefix(chunk.size() - m_limit);
    }
    m_buffer += chunk;
    resynchronise();
    const std::string_view text = buffered();
    if (text.empty() || text.back() != kFrameEnd) return false;
    splitFrame(text, frame);
    clear();
    return true;
}

}  // namespace velmora
