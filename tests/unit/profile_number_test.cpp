#include "settings/profile_number.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct ParseCase {
    std::string text;
    int32_t expected;
};

TEST(ProfileNumber, ParseFollowsAtolOn32Bits)
{
    const ParseCase cases[] = {
        {"0", 0},
        {"300", 300},
        {"-5", -5},
        {"+7", 7},
        {"abc", 0},
        {"", 0},
        {"12px", 12},
        {"1 2", 1},
        {"007", 7},
        {"-0", 0},
        {"+", 0},
        {"-", 0},
        {"+-3", 0},
        {"-+3", 0},
        {"--3", 0},
        {"- 3", 0},
        {"\t\t42", 42},
        {"\n\n-42", -42},
        {"\v\f\r 9", 9},
        {" \t\n\v\f\r+15", 15},
        {"\xa0"
         "5",
         0}, // a no-break space is not white space here
        {"\x81\x40"
         "5",
         0}, // nor is the code page 932 ideographic space
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},
        {"-2147483648", INT32_MIN},
        {"-2147483647", -2147483647},
        {"4294967295", -1},
        {"-4294967295", 1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"4294967596", 300},
        {"-4294967296", 0},
        {"99999999999", 1215752191},
        {"18446744073709551616", 0},
        {"100000000000000000000000000000000000000000000000000000000000012", 12},
        {std::string("7\0"
                     "8",
                     3),
         7},
        {"(none)", 0},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(c.expected, ParseProfileNumber(c.text.c_str())) << '"' << c.text << '"';
}

TEST(ProfileNumber, OnlyTheExactMarkerCountsAsAbsent)
{
    const struct {
        const char *text;
        bool absent;
    } cases[] = {
        {"(none)", true},   {"(NONE)", false}, {"(None)", false}, {" (none)", false},
        {"(none) ", false}, {"(none", false},  {"none", false},   {"(none)x", false},
        {"", false},        {"0", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.absent, IsAbsentProfileValue(c.text)) << '"' << c.text << '"';
}

TEST(ProfileNumber, CoordinateIsUsableFromZeroUpToBelowTheScreenSize)
{
    const struct {
        int32_t value;
        int32_t screen;
        bool usable;
    } cases[] = {
        {0, 768, true},
        {1, 768, true},
        {767, 768, true},
        {768, 768, false}, // at the edge the window would lie wholly off the screen
        {769, 768, false},
        {-1, 768, false},
        {-5, 768, false},
        {INT32_MIN, 768, false},
        {INT32_MAX, 768, false},
        {1023, 1024, true},
        {1024, 1024, false},
        {0, 1, true},
        {0, 0, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.usable, IsUsableCoordinate(c.value, c.screen)) << c.value << " on " << c.screen;
}

TEST(ProfileNumber, CentredCoordinateTruncatesTowardZero)
{
    const struct {
        int32_t screen;
        int32_t frame;
        int32_t client;
        int32_t expected;
    } cases[] = {
        {768, 27, 88, 326},                       // 653 / 2
        {1024, 6, 134, 442}, {1024, 7, 134, 441}, // 883 / 2
        {768, 0, 88, 340},   {100, 20, 88, -4},   // -8 / 2
        {100, 21, 88, -4},                        // -9 / 2 rounds toward zero, not down to -5
        {0, 0, 1, 0},                             // -1 / 2
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, CentredCoordinate(c.screen, c.frame, c.client))
            << c.screen << ' ' << c.frame << ' ' << c.client;
}

TEST(ProfileNumber, StoredTextGivesStoredOrCentredCoordinate)
{
    const int32_t kCentred = 326;
    const struct {
        const char *text;
        int32_t screen;
        int32_t expected;
    } cases[] = {
        {"(none)", 768, kCentred}, {"(NONE)", 768, 0},
        {"200", 768, 200},         {"-5", 768, kCentred},
        {"abc", 1024, 0},          {"", 768, 0},
        {"12px", 768, 12},         {"+7", 768, 7},
        {"\t\n33", 768, 33},       {"0", 768, 0},
        {"767", 768, 767},         {"768", 768, kCentred},
        {"769", 768, kCentred},    {"1023", 1024, 1023},
        {"1024", 1024, kCentred},  {"1025", 1024, kCentred},
        {"-1", 1024, kCentred},    {"4294967296", 768, 0},
        {"4294967396", 768, 100},  {"2147483648", 768, kCentred},
        {"-4294967196", 768, 100}, {"-32000", 768, kCentred},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, ResolveStoredCoordinate(c.text, c.screen, kCentred))
            << '"' << c.text << "\" on " << c.screen;
}

} // namespace
