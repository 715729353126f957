#include <gtest/gtest.h>

#include <sstream>

#include "link/ReplayTransport.h"
#include "link/TReadThread.h"
#include "wait_for.h"

using namespace velmora;

namespace {

using Chunks = std::vector<std::string>;

Chunks play(ReplayTransport& link) {
    Chunks chunks;
    try {
        for (;;) chunks.push_back(link.receive(0));
    } catch (const LinkError&) {
    }
    return chunks;
}

TEST(ReplayTransportTest, StreamIsReadOneChunkAtATime) {
    const std::string longLine(ReplayTransport::kMaxLineChunk + 10, 'x');
    std::istringstream in("#|STANDBY|*\r\n" + longLine + "\n#|1|2");
    ReplayTransport link(ReplayTransport::streamChunks(in));
    EXPECT_EQ(link.receive(0), "#|STANDBY|*\r\n");
    // Only what was handed out has been read: a capture never sits in memory whole.
    EXPECT_EQ(static_cast<size_t>(in.tellg()), 13u);
    // A line longer than the receive buffer keeps comes in pieces; none but the last
    // ends in LF, so the frames come out the same.
    EXPECT_EQ(play(link), (Chunks{longLine.substr(0, ReplayTransport::kMaxLineChunk),
                                  "xxxxxxxxxx\n", "#|1|2"}));
    EXPECT_FALSE(link.connected());

    std::istringstream sized("#|STANDBY|*\r\n");
    ReplayTransport bySize(ReplayTransport::streamChunks(sized, 5));
    EXPECT_EQ(play(bySize), (Chunks{"#|STA", "NDBY|", "*\r\n"}));
    // A size far beyond any frame is read in bounded chunks all the same.
    std::istringstream large(std::string(ReplayTransport::kMaxChunk + 3, 'y'));
    ReplayTransport byHugeSize(ReplayTransport::streamChunks(large, size_t{100'000'000'000}));
    EXPECT_EQ(byHugeSize.receive(0).size(), ReplayTransport::kMaxChunk);
    EXPECT_EQ(static_cast<size_t>(large.tellg()), ReplayTransport::kMaxChunk);
    EXPECT_EQ(byHugeSize.receive(0), "yyy");
    EXPECT_EQ(ReplayTransport::chunksByLine("a\nb\n\nc"), (Chunks{"a\n", "b\n", "\n", "c"}));
    EXPECT_EQ(ReplayTransport::chunksBySize("abcde", 2), (Chunks{"ab", "cd", "e"}));
}

// release() may come from any thread while the reader plays the recording (the closed
// flag was once a plain bool, a data race the thread sanitizer run reports).
TEST(ReplayTransportTest, ReleaseWhileTheReaderPlaysAnEndlessRecording) {
    auto link = std::make_shared<ReplayTransport>(
        []() -> std::optional<std::string> { return std::string("#|1|2|1325|2500|61|45|*\r\n"); });
    LiveChargerState state;
    std::atomic<bool> stop{false};
    TReadThread reader(link, state, stop, ReaderTiming{0, 0});
    reader.start();
    ASSERT_TRUE(waitFor([&] { return state.snapshot().stageNumber == 2; }));
    link->release();  // as the window does when it drops the link
    EXPECT_FALSE(link->connected());
    EXPECT_THROW(link->receive(0), LinkError);
    reader.stop();  // whether the reader saw the link go or was stopped first
    EXPECT_FALSE(reader.running());
}

}  // namespace
