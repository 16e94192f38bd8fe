#include "picker/color_math.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

struct ReadoutCase {
    int red, green, blue;
    const char *decimalLine;
    const char *hexLine;
    int inkRed, inkGreen, inkBlue;
};

// The worked values users see on the swatch, blank by blank.
const ReadoutCase kReadoutCases[] = {
    {255, 255, 255, "255  255  255", " ff   ff   ff", 128, 0, 191},
    {0, 0, 0, "  0    0    0", "  0    0    0", 127, 255, 64},
    {255, 128, 0, "255  128    0", " ff   80    0", 128, 127, 64},
    {10, 200, 64, " 10  200   64", "  a   c8   40", 117, 55, 0},
    {15, 16, 1, " 15   16    1", "  f   10    1", 112, 239, 63},
    {127, 255, 64, "127  255   64", " 7f   ff   40", 0, 0, 0},
};

ColorSample SampleOf(int red, int green, int blue)
{
    ColorSample sample = {red, green, blue};
    return sample;
}

uint32_t ColorRef(int red, int green, int blue)
{
    return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
           static_cast<uint32_t>(blue) << 16;
}

TEST(ColorMath, ReadoutLinesAndInkMatchTheWorkedValues)
{
    for (const ReadoutCase &c : kReadoutCases) {
        SCOPED_TRACE(std::to_string(c.red) + "," + std::to_string(c.green) + "," +
                     std::to_string(c.blue));
        ColorSample sample = SampleOf(c.red, c.green, c.blue);
        char line[kReadoutBufferSize];
        EXPECT_EQ(13, FormatDecimalLine(sample, line));
        EXPECT_STREQ(c.decimalLine, line);
        EXPECT_EQ(13, FormatHexLine(sample, line));
        EXPECT_STREQ(c.hexLine, line);
        EXPECT_EQ(ColorRef(c.inkRed, c.inkGreen, c.inkBlue), InkColorOf(sample));
    }
}

TEST(ColorMath, SplitTakesRedFromTheLowestByte)
{
    const struct {
        uint32_t pixel;
        int red, green, blue;
    } cases[] = {
        {0x00000000u, 0, 0, 0},          {0x000000FFu, 255, 0, 0},
        {0x0000FF00u, 0, 255, 0},        {0x00FF0000u, 0, 0, 255},
        {0x0040C80Au, 10, 200, 64},      {0xFFFFFFFFu, 255, 255, 255}, // unreadable pixel
        {0x12345678u, 0x78, 0x56, 0x34},
    };
    for (const auto &c : cases) {
        ColorSample sample = SplitPixelValue(c.pixel);
        EXPECT_EQ(c.red, sample.red) << std::hex << c.pixel;
        EXPECT_EQ(c.green, sample.green) << std::hex << c.pixel;
        EXPECT_EQ(c.blue, sample.blue) << std::hex << c.pixel;
    }
}

// The C library's printf is an independent reference for the same formats.
TEST(ColorMath, EveryComponentFormatsAsPrintfDoesInThirteenColumns)
{
    for (int value = 0; value <= 255; ++value) {
        ColorSample sample = SampleOf(value, 255 - value, (value * 7) % 256);
        char expected[64];
        char line[kReadoutBufferSize];

        std::snprintf(expected, sizeof expected, "%3d  %3d  %3d", sample.red, sample.green,
                      sample.blue);
        ASSERT_EQ(13, FormatDecimalLine(sample, line)) << value;
        ASSERT_STREQ(expected, line);

        std::snprintf(expected, sizeof expected, " %2x   %2x   %2x", sample.red, sample.green,
                      sample.blue);
        ASSERT_EQ(13, FormatHexLine(sample, line)) << value;
        ASSERT_STREQ(expected, line);
    }
}

TEST(ColorMath, InkIsTheDistanceFromFixedReferencesNotTheComplement)
{
    for (int value = 0; value <= 255; ++value) {
        uint32_t ink = InkColorOf(SampleOf(value, value, value));
        EXPECT_EQ(static_cast<uint32_t>(value > 127 ? value - 127 : 127 - value), ink & 0xFF);
        EXPECT_EQ(static_cast<uint32_t>(255 - value), (ink >> 8) & 0xFF);
        EXPECT_EQ(static_cast<uint32_t>(value > 64 ? value - 64 : 64 - value), (ink >> 16) & 0xFF);
        EXPECT_EQ(0u, ink >> 24);
    }
}

TEST(ColorMath, PixelValueRoundTripsThroughTheSplit)
{
    for (uint32_t pixel : {0x00000000u, 0x00FFFFFFu, 0x0040C80Au, 0x00010203u})
        EXPECT_EQ(pixel, PixelValueOf(SplitPixelValue(pixel)));
    EXPECT_EQ(0x00FFFFFFu, PixelValueOf(SplitPixelValue(0xFFFFFFFFu)));
}

TEST(ColorMath, LightColoursAreThoseOfAtLeastHalfTheWeightedBrightness)
{
    const struct {
        int red, green, blue;
        bool light;
    } cases[] = {
        {0, 0, 0, false},       {255, 255, 255, true}, {128, 128, 128, true}, // 128000 exactly
        {127, 127, 127, false}, {0, 219, 0, true},     {0, 218, 0, false},    // green weighs most
        {255, 0, 0, false},     {0, 0, 255, false},    {255, 0, 255, false},  {255, 100, 0, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.light, IsLightColor(SampleOf(c.red, c.green, c.blue)))
            << c.red << "," << c.green << "," << c.blue;
}

TEST(ColorMath, ComponentTextIsPlainDecimal)
{
    const struct {
        int value;
        const char *text;
    } cases[] = {{0, "0"}, {7, "7"}, {10, "10"}, {64, "64"}, {200, "200"}, {255, "255"}};
    for (const auto &c : cases) {
        char text[kComponentTextSize];
        EXPECT_EQ(static_cast<int>(std::string(c.text).size()), FormatComponentText(c.value, text));
        EXPECT_STREQ(c.text, text);
    }
}

TEST(ColorMath, ColorCodeIsUpperCaseHexTwoDigitsEach)
{
    const struct {
        int red, green, blue;
        const char *code;
    } cases[] = {
        {10, 200, 64, "#0AC840"}, {255, 255, 255, "#FFFFFF"}, {0, 0, 0, "#000000"},
        {1, 2, 3, "#010203"},     {171, 205, 239, "#ABCDEF"}, {255, 0, 0, "#FF0000"},
        {0, 255, 0, "#00FF00"},   {0, 0, 255, "#0000FF"},     {15, 16, 240, "#0F10F0"},
        {128, 127, 9, "#807F09"},
    };
    for (const auto &c : cases) {
        char code[kColorCodeSize];
        EXPECT_EQ(7, FormatColorCode(SampleOf(c.red, c.green, c.blue), code)) << c.code;
        EXPECT_STREQ(c.code, code);
    }
}

// printf's %02X is an independent reference for every component value.
TEST(ColorMath, EveryComponentCodesAsPrintfUpperCaseHexDoes)
{
    for (int value = 0; value <= 255; ++value) {
        ColorSample sample = SampleOf(value, 255 - value, (value * 7) % 256);
        char expected[16];
        std::snprintf(expected, sizeof expected, "#%02X%02X%02X", sample.red, sample.green,
                      sample.blue);
        char code[kColorCodeSize];
        ASSERT_EQ(7, FormatColorCode(sample, code)) << value;
        ASSERT_STREQ(expected, code);
    }
}

TEST(ColorMath, OutOfRangeComponentsNeverOverrunTheBuffers)
{
    ColorSample extreme = SampleOf(-2147483647 - 1, 2147483647, -1);
    char line[kReadoutBufferSize];
    EXPECT_LT(FormatDecimalLine(extreme, line), kReadoutBufferSize);
    EXPECT_EQ(std::string(line).size(), static_cast<size_t>(FormatDecimalLine(extreme, line)));
    EXPECT_STREQ(" 80000000   7fffffff   ffffffff", (FormatHexLine(extreme, line), line));
    char text[kComponentTextSize];
    EXPECT_STREQ("-214", (FormatComponentText(-2147483647 - 1, text), text));
    char code[kColorCodeSize];
    EXPECT_STREQ("#00FFFF", (FormatColorCode(extreme, code), code));
    EXPECT_STREQ("#FF0001", (FormatColorCode(SampleOf(511, 256, -255), code), code));
}

} // namespace
