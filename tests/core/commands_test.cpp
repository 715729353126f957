#include "link/Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <limits>

#include "link/MemoryTransport.h"
#include "link/NumberText.h"

using namespace velmora;

TEST(CommandsTest, ComposesEveryCommand) {
    EXPECT_STREQ(commands::kStart, "#KWPRZ41*");
    EXPECT_STREQ(commands::kForceStop, "#4|1*");
    EXPECT_EQ(commands::profile(1, 0, 4, true), "#2|1|0|4|1*");
    EXPECT_EQ(commands::profile(-1, -1, -1, false), "#2|-1|-1|-1|2*");
    EXPECT_EQ(commands::optionSlotDefinition(2, 2, 7.0, 2.0, 110), "#5|2|2|70|20|110*");
    EXPECT_EQ(commands::optionSlotDefinition(1, 2, 4.5, 2, 150.4), "#5|1|2|45|20|150*");
    EXPECT_EQ(commands::optionSelection(4), "#6|4*");
    EXPECT_EQ(commands::dealerInformation("RPP02N", "ABCDE", "", "X", "0812"),
              "#3|RPP02N|" + std::string(13, ' ') + "ABCDE" + std::string(14, ' ') + "||" +
                  std::string(15, ' ') + "X" + std::string(16, ' ') + "|" + std::string(14, ' ') +
                  "0812" + std::string(14, ' ') + "*");
}

TEST(CommandsTest, DealerTextsCannotBreakTheChargersFraming) {
    // Typed as the store name, "Toko*#4|1*" would otherwise end the command and start a
    // force stop.
    const std::string command =
        commands::dealerInformation("P|R*N#", "Toko*#4|1*", "Jl. A|B", "#1", "0812*");
    EXPECT_EQ(command, "#3|P R N |" + information("Toko  4 1 ") + "|" + information("Jl. A B") +
                           "|" + information(" 1") + "|" + information("0812 ") + "*");
    EXPECT_EQ(std::count(command.begin(), command.end(), '|'), 5);
    EXPECT_EQ(std::count(command.begin(), command.end(), '*'), 1);
    EXPECT_EQ(std::count(command.begin(), command.end(), '#'), 1);
    // All fields empty, printer chosen: four separators after the name.
    EXPECT_EQ(commands::dealerInformation("RPP02N", "", "", "", ""), "#3|RPP02N||||*");
}

// NaN once went out as -9223372036854775808; a value the charger cannot store or report
// back is refused where the command is made.
TEST(CommandsTest, OptionSlotValuesMustBeFiniteAndStorable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double capacity, current, cca;
    } refused[] = {
        {nan, 2, 110},  {7, nan, 110},   {7, 2, nan},     {inf, 2, 110},
        {7, -inf, 110}, {7, 2, inf},     {1e300, 2, 110}, {1000.1, 2, 110},
        {-0.1, 2, 110}, {7, 100.1, 110}, {7, 2, 20000.5}, {7, 2, -1},
    };
    for (const Case& c : refused) {
        EXPECT_THROW(commands::optionSlotDefinition(0, 1, c.capacity, c.current, c.cca),
                     CommandError)
            << c.capacity << " " << c.current << " " << c.cca;
    }
    EXPECT_EQ(commands::optionSlotDefinition(4, 0, 1000, 100, 20000), "#5|4|0|10000|1000|20000*");
    EXPECT_EQ(commands::optionSlotDefinition(0, 0, 0, 0.04, 0.4), "#5|0|0|0|0|0*");
}

TEST(CommandsTest, CentringRuleForDealerTexts) {
    struct Case {
        std::string text;
        size_t before, after;
    } cases[] = {
        {"ABCDE", 13, 14},
        {"AB", 15, 15},
        {"ABC", 14, 15},
        {"ABCD", 14, 14},
        {std::string(32, 'a'), 0, 0},
        {std::string(31, 'a'), 0, 1},
        {std::string(33, 'a'), 0, 1},
        {std::string(34, 'a'), 0, 0},
        {std::string(40, 'a'), 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(information(c.text),
                  std::string(c.before, ' ') + c.text + std::string(c.after, ' '))
            << c.text.size();
    }
    EXPECT_EQ(information(""), "");
    // Characters, not bytes: "Bengkel Jaya Ú" is 14 characters.
    EXPECT_EQ(information("Bengkel Jaya \xc3\x9a"),
              std::string(9, ' ') + "Bengkel Jaya \xc3\x9a" + std::string(9, ' '));
}

TEST(NumberTextTest, ParsesAndFormats) {
    EXPECT_EQ(parseInteger("-12").value(), -12);
    EXPECT_EQ(parseInteger("2147483647").value(), 2147483647);
    EXPECT_FALSE(parseInteger("2147483648"));
    EXPECT_FALSE(parseInteger(" 1"));
    EXPECT_FALSE(parseInteger("1.0"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("-"));
    EXPECT_DOUBLE_EQ(parseReal("13,5", {','}).value(), 13.5);
    EXPECT_DOUBLE_EQ(parseReal("1e2", {}).value(), 100.0);
    EXPECT_FALSE(parseReal("inf", {}));
    EXPECT_FALSE(parseReal(".", {}));
    EXPECT_EQ(formatFixed2(12.476, {','}), "12,48");
    EXPECT_EQ(formatFixed2(0, {}), "0.00");
    EXPECT_EQ(formatShortest(4.5, {','}), "4,5");
    EXPECT_EQ(formatShortest(10, {}), "10");
    EXPECT_EQ(formatShortest(0.25, {}), "0.25");
}

// The window's toolkit takes the C locale from the environment; numbers must not follow it.
TEST(CommandsTest, NumberTextIgnoresTheProcessLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de-DE", "German_Germany.1252"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no German locale";
    const std::string fixed = formatFixed2(12.5, {}), shortest = formatShortest(12.5, {','});
    const std::string whole = formatShortest(10.0, {','});
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(fixed, "12.50");
    EXPECT_EQ(shortest, "12,5");
    EXPECT_EQ(whole, "10");
}

TEST(CommandsTest, SendRoutineSendsBytesAsTheyAreOrNothingWithoutALink) {
    Kirimstringdata(nullptr, commands::kStart);  // no link: nothing, no error
    auto [app, charger] = MemoryTransport::createPair();
    Kirimstringdata(app.get(), commands::profile(1, 0, 11, true));
    Kirimstringdata(app.get(), "#3|Toko \xc3\x9a*");
    EXPECT_EQ(charger->receive(0), "#2|1|0|11|1*#3|Toko \xc3\x9a*");  // no CR, no LF
    charger->release();
    EXPECT_THROW(app->receive(0), LinkError);          // the lost link is noticed...
    Kirimstringdata(app.get(), commands::kForceStop);  // ...and sending is dropped quietly
}
