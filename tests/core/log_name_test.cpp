#include <gtest/gtest.h>

#include "logger/LogFileName.h"

using namespace velmora;

TEST(LogFileNameTest, TypedNamesAreTakenAsTypedUnlessTheyLeaveTheFolder) {
    using P = LogNameProblem;
    const struct {
        const char* name;
        LogNameProblem problem;
    } cases[] = {
        {"test", P::None},
        {"test.log", P::None},  // saved as test.log.log
        {" aki Yuasa 12N10 ", P::None},
        {"a..b", P::None},
        {"...", P::None},
        {"Pelanggan \xC3\xA9", P::None},
        {"console", P::None},
        {"COM10", P::None},
        {"", P::Empty},
        {"   ", P::Empty},  // nothing a user could find again in the list
        {"a<b", P::WindowsCharacter},
        {"a>b", P::WindowsCharacter},
        {"\"kutip\"", P::WindowsCharacter},
        {"a|b", P::WindowsCharacter},
        {"apa?", P::WindowsCharacter},
        {"*", P::WindowsCharacter},
        {"../x", P::PathCharacter},
        {"a/b", P::PathCharacter},
        {"..\\x", P::PathCharacter},
        {"C:x", P::PathCharacter},
        {"log:stream", P::PathCharacter},
        {"/etc/passwd", P::PathCharacter},
        {"..", P::DotName},
        {".", P::DotName},
        {"a\nb", P::ControlCharacter},
        {"tab\there", P::ControlCharacter},
        {"del\x7F", P::ControlCharacter},
        {"c1\xC2\x85", P::ControlCharacter},
        {"CON", P::ReservedName},
        {"nul", P::ReservedName},
        {"Aux.txt", P::ReservedName},
        {"prn .x", P::ReservedName},
        {"com1", P::ReservedName},
        {"LPT9", P::ReservedName},
        {"COM\xC2\xB9", P::ReservedName},
        {"conout$", P::ReservedName},
    };
    for (const auto& c : cases) EXPECT_EQ(checkLogName(c.name), c.problem) << c.name;
    EXPECT_EQ(checkLogName(std::string("a\0b", 3)), P::ControlCharacter);
}

TEST(LogFileNameTest, NameGetsTheExtensionAppended) {
    EXPECT_EQ(logFileName("test"), "test.log");
    EXPECT_EQ(logFileName("test.log"), "test.log.log");
}
