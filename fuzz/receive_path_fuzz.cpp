// Bytes from the charger in random receive sizes, through the frame buffer and the parser
// and then through the real receive loop: the buffer stays bounded and trims exactly as
// the plain rule says, messages are clean ASCII, and only sane numbers are stored.
#include <fuzzer/FuzzedDataProvider.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "link/FrameAssembler.h"
#include "link/MessageParser.h"
#include "link/ReplayTransport.h"
#include "link/TReadThread.h"

using namespace velmora;
using fuzzcheck::require;

namespace {

// The buffer rule written the plain way: drop up to the first "#", then drop up to the
// next "#" while the buffer is over the limit. Slow, but obviously right.
class PlainAssembler {
public:
    explicit PlainAssembler(size_t limit) : m_limit(limit) {}

    bool append(const std::string& chunk, std::string& frameText) {
        m_buffer += chunk;
        if (!m_buffer.empty() && m_buffer.front() != '#') {
            const size_t next = m_buffer.find('#');
            m_buffer.erase(0, next == std::string::npos ? m_buffer.size() : next);
        }
        while (m_buffer.size() > m_limit) {
            const size_t next = m_buffer.find('#', 1);
            m_buffer.erase(0, next == std::string::npos ? m_buffer.size() : next);
        }
        if (m_buffer.empty() || m_buffer.back() != '\n') return false;
        frameText.swap(m_buffer);
        m_buffer.clear();
        return true;
    }
    const std::string& buffered() const { return m_buffer; }

private:
    size_t m_limit;
    std::string m_buffer;
};

void requireCleanMessages(const Frame& frame) {
    for (const std::string& message : frame.messages) {
        require(!message.empty() && message.back() == '*', "a message ends with *");
        for (unsigned char c : message)
            require(c != '\r' && c != '\n' && c < 128, "no line ends or high bytes in a message");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t limit =
        in.PickValueInArray({size_t{8}, size_t{64}, FrameAssembler::kDefaultLimit});
    const NumberFormat format{in.ConsumeBool() ? ',' : '.'};
    std::vector<std::string> chunks;
    while (in.remaining_bytes() > 0)
        chunks.push_back(in.ConsumeBytesAsString(in.ConsumeIntegralInRange<size_t>(0, 300)));

    FrameAssembler assembler(limit);
    PlainAssembler plain(limit);
    Frame frame;
    Frame plainFrame;
    std::string plainText;
    for (const std::string& chunk : chunks) {
        const bool complete = assembler.append(chunk, frame);
        require(complete == plain.append(chunk, plainText), "frames complete as the plain rule");
        require(assembler.buffered() == plain.buffered(), "buffer trimmed as the plain rule");
        require(assembler.buffered().size() <= limit, "buffer within its limit");
        if (!complete) continue;
        splitFrame(plainText, plainFrame);
        require(frame.messages == plainFrame.messages && frame.endOfTest == plainFrame.endOfTest,
                "same messages as the plain rule");
        requireCleanMessages(frame);
    }

    // The same receives through the receive loop itself.
    LiveChargerState state;
    std::atomic<bool> stop{false};
    TReadThread reader(std::make_shared<ReplayTransport>(chunks), state, stop, ReaderTiming{0, 0},
                       format);
    reader.setObserver([&](const std::string&, const ParseOutcome& outcome) {
        if (outcome.shape != MessageShape::None && !outcome.rejected)
            fuzzcheck::requireFiniteState(state.snapshot());
    });
    reader.Execute();
    fuzzcheck::requireFiniteState(state.snapshot());
    return 0;
}
