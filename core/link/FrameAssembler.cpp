#include "link/FrameAssembler.h"

namespace velmora {

namespace {
constexpr char kFrameStart = '#';
constexpr char kFrameEnd = '\n';
constexpr char kMessageEnd = '*';
constexpr const char kEmptyCurrentHistory[] = "#|5|*";

// Characters n-6 .. n-2 of the frame, counting from 1 (n = its length): the character
// before the LF, normally CR, is not looked at.
bool endsWithEmptyCurrentHistory(const std::string& text) {
    const size_t n = text.size();
    return n >= 7 && text.compare(n - 7, 5, kEmptyCurrentHistory) == 0;
}
}  // namespace

void splitFrame(const std::string& frameText, Frame& frame) {
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

void FrameAssembler::resynchronise() {
    if (!m_buffer.empty() && m_buffer.front() != kFrameStart) {
        size_t next = m_buffer.find(kFrameStart);
        m_buffer.erase(0, next == std::string::npos ? m_buffer.size() : next);
    }
    while (m_buffer.size() > m_limit) {
        size_t next = m_buffer.find(kFrameStart, 1);
        m_buffer.erase(0, next == std::string::npos ? m_buffer.size() : next);
    }
}

bool FrameAssembler::append(const std::string& chunk, Frame& frame) {
    m_buffer += chunk;
    resynchronise();
    if (m_buffer.empty() || m_buffer.back() != kFrameEnd) return false;
    splitFrame(m_buffer, frame);
    m_buffer.clear();
    return true;
}

}  // namespace velmora
