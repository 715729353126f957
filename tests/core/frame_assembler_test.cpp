#include <gtest/gtest.h>

#include "link/FrameAssembler.h"

using namespace velmora;

namespace {

std::vector<std::string> feed(FrameAssembler& assembler, const std::vector<std::string>& chunks,
                              bool* endOfTest = nullptr) {
    std::vector<std::string> messages;
    Frame frame;
    for (const std::string& chunk : chunks) {
        if (!assembler.append(chunk, frame)) continue;
        if (endOfTest) *endOfTest = *endOfTest || frame.endOfTest;
        messages.insert(messages.end(), frame.messages.begin(), frame.messages.end());
    }
    return messages;
}

using Messages = std::vector<std::string>;

TEST(FrameAssemblerTest, FrameCompletesOnlyWhenAReceiveEndsOnLineFeed) {
    FrameAssembler assembler;
    // A live reading plus the start of a status word: the buffer ends in a letter.
    EXPECT_TRUE(feed(assembler, {"#|1|2|1325|2500|61|45|*\r\n#|STA"}).empty());
    EXPECT_EQ(feed(assembler, {"NDBY|*\r\n"}),
              (Messages{"#|1|2|1325|2500|61|45|*", "#|STANDBY|*"}));
    EXPECT_TRUE(assembler.buffered().empty());
}

TEST(FrameAssemblerTest, CutsAtStarsSkipsLineEndsAndDropsTail) {
    FrameAssembler assembler;
    EXPECT_EQ(feed(assembler, {"#\r\n"}), Messages{});
    EXPECT_TRUE(assembler.buffered().empty());
    // The last message lacks its "*": it is lost with the frame.
    EXPECT_EQ(feed(assembler, {"#|STANDBY|*\r\n#|1|2|1325|2500|61|45|\r\n"}),
              Messages{"#|STANDBY|*"});
    // Bytes after the LF in the same receive keep the frame waiting.
    EXPECT_TRUE(feed(assembler, {"#|STANDBY|*\r\n#|"}).empty());
    EXPECT_EQ(feed(assembler, {"Baterai_Unplug|*\r\n"}),
              (Messages{"#|STANDBY|*", "#|Baterai_Unplug|*"}));
    // A time-out with nothing received leaves an incomplete buffer as it was.
    feed(assembler, {"#|1|2"});
    feed(assembler, {""});
    EXPECT_EQ(assembler.buffered(), "#|1|2");
}

TEST(FrameAssemblerTest, EmptyCurrentHistoryAtTheEndMarksEndOfTest) {
    struct Case {
        std::string frame;
        bool endOfTest;
    } cases[] = {
        {"#|3|5|520|850|1210|1300|X|*\r\n#|5|*\r\n", true},
        {"#|5|*\r\n", true},
        {"#|5|*X\n", true},  // the character before LF is not examined
        {"#|5|*\n", false},  // too short for the five characters before CR LF
        {"#|5|*\r\n#|STANDBY|*\r\n", false},
        {"#|5|1|*\r\n", false},
    };
    for (const Case& c : cases) {
        FrameAssembler assembler;
        bool endOfTest = false;
        feed(assembler, {c.frame}, &endOfTest);
        EXPECT_EQ(endOfTest, c.endOfTest) << c.frame;
    }
}

TEST(FrameAssemblerTest, NoiseBeforeTheFrameStartIsDropped) {
    FrameAssembler assembler;
    EXPECT_EQ(feed(assembler, {"\xff\x01garbage", "\r\n#|STANDBY|*\r\n"}), Messages{"#|STANDBY|*"});
    // High bytes inside a frame become "?", never break the cut.
    EXPECT_EQ(feed(assembler, {"#|Baterai_Detected|\xe9|*\r\n"}),
              Messages{"#|Baterai_Detected|?|*"});
}

TEST(FrameAssemblerTest, BufferIsBoundedAndResynchronises) {
    FrameAssembler assembler(64);
    // A frame whose LF was lost, followed by an endless line without one.
    feed(assembler, {"#|1|2|1325|2500|61|45|*\r", std::string(200, 'x')});
    EXPECT_LE(assembler.buffered().size(), 64u);
    EXPECT_EQ(feed(assembler, {"#|STANDBY|*\r\n"}), Messages{"#|STANDBY|*"});
    // Many short frames glued without a receive ending on LF keep only whole tail frames.
    for (int i = 0; i < 20; ++i) feed(assembler, {"#|1|2|1325|2500|61|45|*\r\n#"});
    EXPECT_LE(assembler.buffered().size(), 64u);
    EXPECT_EQ(assembler.buffered().front(), '#');
}

// Every "#" is a possible frame start; a flood of them once cost one move of the whole
// buffer each. Trimming now takes one step per receive, so these finish at once.
TEST(FrameAssemblerTest, FloodOfFrameStartsIsTrimmedInOneStep) {
    const size_t limit = FrameAssembler::kDefaultLimit;
    const std::string flood(4 * 1024 * 1024, '#');
    for (size_t chunkSize : {flood.size(), size_t{4096}, size_t{1000}}) {
        FrameAssembler assembler;
        for (size_t sent = 0; sent < flood.size(); sent += chunkSize)
            feed(assembler, {flood.substr(sent, chunkSize)});
        EXPECT_EQ(assembler.buffered(), flood.substr(0, limit)) << chunkSize;
        EXPECT_LE(assembler.footprint(), 4 * limit + 2 * chunkSize) << chunkSize;
        // The stream recovers at the next frame.
        EXPECT_EQ(feed(assembler, {"\r\n", "#|STANDBY|*\r\n"}), Messages{"#|STANDBY|*"});
    }
}

// The tail kept after trimming is the longest one that starts with "#" and fits.
TEST(FrameAssemblerTest, TrimmingKeepsTheLongestTailThatStartsAFrame) {
    struct Case {
        std::vector<std::string> chunks;
        std::string kept;
    } cases[] = {
        {{"#abcdefgh#ijk"}, "#abcdefgh#ijk"},
        {{"#abcdefgh#ijklmnop#qr"}, "#ijklmnop#qr"},
        {{"#abcdefgh", "#ijklmnop", "#qr"}, "#ijklmnop#qr"},
        {{"#a", "bcdefghijklmnopqrstu"}, ""},
        {{"xx#abc", "defghijklmno"}, "#abcdefghijklmno"},
        {{"#abcdefghijklmnop#"}, "#"},
        {{"##############################"}, "################"},
    };
    for (const Case& c : cases) {
        FrameAssembler assembler(16);
        feed(assembler, c.chunks);
        EXPECT_EQ(assembler.buffered(), c.kept) << c.chunks.front();
    }
}

TEST(FrameAssemblerTest, LineWithoutItsStarNeverSwallowsTheNextMessage) {
    // Noise lines and a message that lost its "*" sit between good messages of one
    // receive; each good message comes out whole.
    const std::string live = "#|1|2|1325|2500|61|45|*";
    const std::string cases[] = {
        "\x07noise\r\n",            // noise after the previous frame, before the next message
        "#|1|2|1325|2500|61|\r\n",  // a live reading whose "*" was lost
        "#\xff#|\n",                // stray frame starts, LF alone
    };
    for (const std::string& between : cases) {
        FrameAssembler assembler;
        EXPECT_EQ(feed(assembler, {"#|STANDBY|*\r\n" + between + live + "\r\n"}),
                  (Messages{"#|STANDBY|*", live}))
            << between;
    }
}

}  // namespace
