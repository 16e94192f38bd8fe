#include "settings/options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

typedef std::vector<uint32_t> Colors; // 0xRRGGBB, newest first

RecentColors ListOf(const Colors &colors)
{
    RecentColors list = {};
    for (uint32_t rgb : colors)
        list.colors[list.count++] = {int32_t(rgb >> 16), int32_t(rgb >> 8 & 0xFF),
                                     int32_t(rgb & 0xFF)};
    return list;
}

Colors ColorsOf(const RecentColors &list)
{
    Colors colors;
    for (int i = 0; i < list.count; ++i)
        colors.push_back(uint32_t(list.colors[i].red) << 16 | uint32_t(list.colors[i].green) << 8 |
                         uint32_t(list.colors[i].blue));
    return colors;
}

// Twelve distinct colours, 0x000001 to 0x00000C.
Colors Twelve()
{
    Colors colors;
    for (uint32_t rgb = 1; rgb <= 12; ++rgb)
        colors.push_back(rgb);
    return colors;
}

const char kTwelveText[] = "000001 000002 000003 000004 000005 000006 000007 000008 000009 "
                           "00000A 00000B 00000C";

TEST(RecentColors, AddPutsTheColourFirstOnceAndDropsTheOldest)
{
    const struct {
        const char *name;
        Colors before;
        uint32_t added;
        Colors after;
    } cases[] = {
        {"empty", {}, 0x0AC840, {0x0AC840}},
        {"new goes first", {1, 2}, 3, {3, 1, 2}},
        {"already first", {1, 2, 3}, 1, {1, 2, 3}},
        {"middle moves first", {1, 2, 3}, 2, {2, 1, 3}},
        {"last moves first", {1, 2, 3}, 3, {3, 1, 2}},
        {"full: oldest falls off", Twelve(), 0xFF, {0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"full: oldest moves first", Twelve(), 12, {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecentColors list = ListOf(c.before);
        AddRecentColor(&list, ListOf({c.added}).colors[0]);
        EXPECT_EQ(c.after, ColorsOf(list));
    }
}

TEST(RecentColors, AddTakesAColourOfTheListItself)
{
    RecentColors list = ListOf({1, 2, 3, 4});
    AddRecentColor(&list, list.colors[2]);
    EXPECT_EQ(Colors({3, 1, 2, 4}), ColorsOf(list));
}

TEST(RecentColors, AppendAddsAtTheBackUnlessThereOrFull)
{
    const struct {
        const char *name;
        Colors before;
        uint32_t added;
        bool appended;
    } cases[] = {
        {"empty", {}, 5, true},        {"new", {1, 2}, 3, true},
        {"repeat", {1, 2}, 1, false},  {"eleven", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12, true},
        {"full", Twelve(), 13, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecentColors list = ListOf(c.before);
        EXPECT_EQ(c.appended, AppendRecentColor(&list, ListOf({c.added}).colors[0]));
        Colors after = c.before;
        if (c.appended)
            after.push_back(c.added);
        EXPECT_EQ(after, ColorsOf(list));
    }
}

TEST(RecentColors, PreviousIsTheNewestThatDiffersFromTheCurrent)
{
    const struct {
        const char *name;
        Colors list;
        uint32_t current;
        bool found;
        uint32_t previous;
    } cases[] = {
        {"empty", {}, 1, false, 0},
        {"only the current", {1}, 1, false, 0},
        {"current first", {1, 2, 3}, 1, true, 2},
        {"current not in the list", {2, 3}, 1, true, 2},
        {"current further back", {2, 1, 3}, 1, true, 2},
        {"twelve, current last", Twelve(), 12, true, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecentColors previous = ListOf({0xFFFFFF});
        EXPECT_EQ(c.found, PreviousColor(ListOf(c.list), ListOf({c.current}).colors[0],
                                         &previous.colors[0]));
        EXPECT_EQ(Colors({c.found ? c.previous : 0xFFFFFF}), ColorsOf(previous));
    }
}

TEST(Options, AverageIsExactlyAnOddDigit)
{
    const struct {
        const char *text;
        int side;
    } cases[] = {
        {"1", 1},  {"3", 3},        {"5", 5},  {"7", 7},   {"9", 9},  {"", 1},   {"0", 1},
        {"2", 1},  {"8", 1},        {"03", 1}, {"3x", 1},  {"11", 1}, {"-3", 1}, {"+3", 1},
        {"3 ", 1}, {"\x82\x52", 1}, {"x", 1},  {"9.0", 1}, {"99", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.side, ParseAverageSide(c.text));
    }
}

TEST(Options, FormatIsANameInAnyCaseElseHex)
{
    const struct {
        const char *text;
        CopyFormat format;
    } cases[] = {
        {"hex", kFormatHex},       {"bare", kFormatBare},    {"rgb", kFormatRgb},
        {"list", kFormatList},     {"hsl", kFormatHsl},      {"colorref", kFormatColorref},
        {"oklch", kFormatOklch},   {"HSL", kFormatHsl},      {"ColorRef", kFormatColorref},
        {"OkLcH", kFormatOklch},   {"BARE", kFormatBare},    {"", kFormatHex},
        {"rgba", kFormatHex},      {"rg", kFormatHex},       {"hsl()", kFormatHex},
        {"#hex", kFormatHex},      {"colour", kFormatHex},   {"list ", kFormatHex},
        {"oklch\x81", kFormatHex}, {"bare,rgb", kFormatHex},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.format, ParseCopyFormat(c.text));
    }
    const char *names[kCopyFormatCount] = {"hex", "bare",     "rgb",  "list",
                                           "hsl", "colorref", "oklch"};
    for (int format = 0; format < kCopyFormatCount; ++format)
        EXPECT_STREQ(names[format], CopyFormatName(CopyFormat(format)));
}

TEST(Options, RecentKeepsSixHexDigitPiecesOnceAndAtMostTwelve)
{
    const struct {
        const char *name;
        std::string text;
        Colors colors;
    } cases[] = {
        {"example", "0AC840 FF8000 000000", {0x0AC840, 0xFF8000, 0x000000}},
        {"lower case", "0ac840 ffffff abcdef", {0x0AC840, 0xFFFFFF, 0xABCDEF}},
        {"empty", "", {}},
        {"empty pieces", "  0AC840    FF8000  ", {0x0AC840, 0xFF8000}},
        {"tabs", "0AC840\tFF8000 \t000001", {0x0AC840, 0xFF8000, 0x000001}},
        {"five digits", "0AC84 FF8000", {0xFF8000}},
        {"seven digits", "0AC8400 FF8000", {0xFF8000}},
        {"not hex", "0AC84G #0AC84 0x0AC8 FF8000", {0xFF8000}},
        {"commas make one piece", "0AC840,FF8000", {}},
        {"shift-jis", "\x82\x60\x82\x61\x82\x62 FF8000", {0xFF8000}},
        {"repeats either case", "0AC840 FF8000 0ac840 0AC840", {0x0AC840, 0xFF8000}},
        {"twelve", kTwelveText, Twelve()},
        {"thirteenth dropped", std::string(kTwelveText) + " 00000D", Twelve()},
        {"repeat takes no place", "000001 000001 " + std::string(kTwelveText).substr(7) + " 00000D",
         Twelve()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecentColors list = ListOf({7, 8, 9});
        ParseRecentColors(c.text.c_str(), &list);
        EXPECT_EQ(c.colors, ColorsOf(list));
    }
}

TEST(Options, RecentIsWrittenUpperCaseOneBlankApartAndReadsBack)
{
    const struct {
        Colors colors;
        const char *text;
    } cases[] = {
        {{}, ""},
        {{0x0AC840}, "0AC840"},
        {{0xabcdef, 0x000000, 0xFF8000}, "ABCDEF 000000 FF8000"},
        {Twelve(), kTwelveText},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        char text[kRecentTextSize];
        EXPECT_EQ(int(strlen(c.text)), FormatRecentColors(ListOf(c.colors), text));
        EXPECT_STREQ(c.text, text);
        RecentColors read;
        ParseRecentColors(text, &read);
        EXPECT_EQ(c.colors, ColorsOf(read));
    }
}

bool IsShiftJisLeadByte(uint8_t byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsNeverLeadByte(uint8_t)
{
    return false;
}

TEST(Options, TitlesSplitAtBarsSkippingEmptyAndOverlongPieces)
{
    const std::string longest(255, 'x');
    const struct {
        const char *name;
        std::string text;
        int maxTitles;
        bool (*isLeadByte)(uint8_t);
        std::vector<std::string> titles;
    } cases[] = {
        {"two", "Edit Colors|Farbe", 8, IsNeverLeadByte, {"Edit Colors", "Farbe"}},
        {"one", "Farbe", 8, IsNeverLeadByte, {"Farbe"}},
        {"empty", "", 8, IsNeverLeadByte, {}},
        {"empty pieces", "|A||B|", 8, IsNeverLeadByte, {"A", "B"}},
        {"blanks kept", " A | B", 8, IsNeverLeadByte, {" A ", " B"}},
        {"255 bytes", longest + "|A", 8, IsNeverLeadByte, {longest, "A"}},
        {"256 bytes", longest + "x|A", 8, IsNeverLeadByte, {"A"}},
        {"at most max", "A|B|C", 2, IsNeverLeadByte, {"A", "B"}},
        {"no room", "A", 0, IsNeverLeadByte, {}},
        // Katakana "po" is 83 7C: its second byte is a bar.
        {"bar inside a character",
         "\x83\x7C\x83\x62\x83\x76|\x90\x46",
         8,
         IsShiftJisLeadByte,
         {"\x83\x7C\x83\x62\x83\x76", "\x90\x46"}},
        {"single-byte code page", "\xE9|A", 8, IsNeverLeadByte, {"\xE9", "A"}},
        {"lead byte last", "A|\x83", 8, IsShiftJisLeadByte, {"A", "\x83"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<char> text(c.text.begin(), c.text.end());
        text.push_back('\0');
        const char *titles[8] = {};
        int count = SplitExtraTitles(text.data(), titles, c.maxTitles, c.isLeadByte);
        EXPECT_EQ(c.titles, std::vector<std::string>(titles, titles + count));
    }
}

} // namespace
