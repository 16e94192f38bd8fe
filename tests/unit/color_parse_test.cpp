#include "picker/color_parse.h"

#include "picker/color_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

std::string Hex(const ColorSample &color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

// Expected colours of hsl() and oklch() from python3: CSS Color 4's
// conversions and gamut mapping with the C library's trigonometry, each
// channel the 8-bit value nearest in linear light.
const struct {
    const char *text;
    const char *rgb;
} kAcceptedCases[] = {
    // Hex, in any case, the alpha ignored.
    {"#0AC840", "0AC840"},
    {"#0ac840", "0AC840"},
    {"0AC840", "0AC840"},
    {"#0A4", "00AA44"},
    {"#0AC84080", "0AC840"},
    {"#0A48", "00AA44"},
    {"  \t#0AC840\r\n", "0AC840"},
    // rgb() and rgba(), both syntaxes, percentages.
    {"rgb(10, 200, 64)", "0AC840"},
    {"rgb(10,200,64)", "0AC840"},
    {"RGB(10 200 64)", "0AC840"},
    {"rgb( 10 ,200 , 64 )", "0AC840"},
    {"rgba(10, 200, 64, 0.5)", "0AC840"},
    {"rgba(10, 200, 64, 50%)", "0AC840"},
    {"rgb(10 200 64 / 0.5)", "0AC840"},
    {"rgba(10 200 64)", "0AC840"},
    {"rgb(10, 200, 64, 1)", "0AC840"},
    {"rgb(100%, 50%, 0%)", "FF8000"},
    {"rgb(100% 0 50.2%)", "FF0080"},
    {"rgb(9.5, 199.5, 64.4)", "0AC840"},
    {"rgb(+10, 200, 64)", "0AC840"},
    // The list.
    {"10, 200, 64", "0AC840"},
    {"10,200,64", "0AC840"},
    {" 10 ,\t200,64 ", "0AC840"},
    {"255, 255, 255", "FFFFFF"},
    // hsl() and hsla(); the hue round the circle.
    {"hsl(137, 90%, 41%)", "0AC740"},
    {"hsl(137 90% 41%)", "0AC740"},
    {"HSL(137deg, 90%, 41%)", "0AC740"},
    {"hsla(137, 90%, 41%, 0.3)", "0AC740"},
    {"hsl(137deg 90% 41% / 30%)", "0AC740"},
    {"hsl(137.5, 90%, 41%)", "0AC741"},
    {"hsl(-120, 100%, 50%)", "0000FF"},
    {"hsl(480, 100%, 50%)", "00FF00"},
    {"hsl(0, 0%, 50%)", "808080"},
    {"hsl(30, 50%, 25%)", "604020"},
    {"hsl(359.9, 100%, 50%)", "FF0000"},
    // COLORREF.
    {"0x0040C80A", "0AC840"},
    {"0X0040c80a", "0AC840"},
    {"0x00000000", "000000"},
    // oklch(); colours outside sRGB mapped, not clipped (clipping would give FD0000,
    // 1495FF and 00FF00).
    {"oklch(72.5% 0.222 145.7)", "07C840"},
    {"oklch(0.725 0.222 145.7)", "07C840"},
    {"oklch(0.725 0.222 505.7deg)", "07C840"},
    {"oklch(72.5% 55.5% 145.7 / 0.5)", "07C840"},
    {"oklch(62.8% 0.258 29.2)", "FF0000"},
    {"oklch(50% 0.4 30)", "C30000"},
    {"oklch(90% 0.5 264)", "C7DEFF"},
    {"oklch(70% 1000000000 150)", "00C248"},
    {"oklch(50% 0.1 -30)", "834D7E"},
    {"oklch(100% 0.2 100)", "FFFFFF"},
    {"oklch(0% 0.2 100)", "000000"},
    {"oklch(60% 0 0)", "808080"},
    // Names.
    {"rebeccapurple", "663399"},
    {"DarkSlateGrey", "2F4F4F"},
    {" white\n", "FFFFFF"},
};

TEST(ColorParse, EveryAcceptedFormGivesItsColour)
{
    for (const auto &c : kAcceptedCases) {
        SCOPED_TRACE(c.text);
        ColorSample color = {-1, -1, -1};
        EXPECT_TRUE(ParseColorText(c.text, &color));
        EXPECT_EQ(c.rgb, Hex(color));
    }
}

const char *const kRejectedTexts[] = {
    "",
    "   ",
    "#GGHHII",
    "#0AC84",
    "#0AC8400",
    "#0AC840FF0",
    "#",
    "0AC",
    "0AC84080",
    "# 0AC840",
    "rgb(300,0,0)",
    "rgb(-1, 0, 0)",
    "rgb(100.1%, 0%, 0%)",
    "rgb(10, 200)",
    "rgb(10, 200, 64, 0.5, 1)",
    "rgb(10, 200 64)",
    "rgb(10 200, 64)",
    "rgb(10 200 64 0.5)",
    "rgb(10 200 64, 0.5)",
    "rgb(10, 200, 64 / 0.5)",
    "rgb (10, 200, 64)",
    "rgb(10, 200, 64",
    "rgb(10, 200, 64))",
    "rgb(10, 200, 64) x",
    "rgb(10deg, 200, 64)",
    "rgb(10 %, 200, 64)",
    "rgb(1e1, 200, 64)",
    "rgb(10., , 64)",
    "rgb(10, 200, none)",
    "rgbx(10, 200, 64)",
    "10 200 64",
    "10, 200",
    "10, 200, 64, 1",
    "10, 200, 256",
    "hsl(1,2)",
    "hsl(137, 90, 41)",
    "hsl(137%, 90%, 41%)",
    "hsl(137, 120%, 41%)",
    "hsl(137, 90%, -1%)",
    "hsl(1e10, 90%, 41%)",
    "hsl(10000000000, 90%, 41%)",
    "0x01FFFFFF",
    "0x0040C80",
    "0x0040C80A0",
    "0x",
    "oklch(72.5%, 0.222, 145.7)",
    "oklch(101% 0.1 100)",
    "oklch(50% -0.1 100)",
    "oklch(50% 0.1 100%)",
    "oklch(50deg 0.1 100)",
    "oklcha(50% 0.1 100)",
    "transparent",
    "notacolour",
    "color: #0AC840;",
    "#0AC840;",
    "the colour #0AC840",
    "red red",
};

TEST(ColorParse, AnythingElseIsRefusedAndLeavesTheColour)
{
    for (const char *text : kRejectedTexts) {
        SCOPED_TRACE(text);
        ColorSample color = {1, 2, 3};
        EXPECT_FALSE(ParseColorText(text, &color));
        EXPECT_EQ("010203", Hex(color));
    }
}

TEST(ColorParse, TextLongerThanTheLimitIsRefused)
{
    ColorSample color = {};
    std::string text = "#0AC840" + std::string(kLongestColorText - 7, ' ');
    EXPECT_TRUE(ParseColorText(text.c_str(), &color));
    text += ' ';
    EXPECT_FALSE(ParseColorText(text.c_str(), &color));
}

// The whole cube, sampled; the separate round-trip program takes every colour.
TEST(ColorParse, EveryCopiedFormatPastesBack)
{
    for (int rgb = 0; rgb < 1 << 24; rgb += 997) {
        const ColorSample color = {rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF};
        for (int format = 0; format < kCopyFormatCount; ++format) {
            char text[kFormattedColorSize];
            FormatColor(static_cast<CopyFormat>(format), color, text);
            ColorSample back = {-1, -1, -1};
            ASSERT_TRUE(ParseColorText(text, &back)) << text;
            // hsl and oklch lose a few levels to their rounding (the round-trip
            // program finds 5 and 9 at most).
            int slack = format == kFormatHsl ? 5 : format == kFormatOklch ? 9 : 0;
            EXPECT_NEAR(color.red, back.red, slack) << text;
            EXPECT_NEAR(color.green, back.green, slack) << text;
            EXPECT_NEAR(color.blue, back.blue, slack) << text;
        }
    }
}

} // namespace
