#include "picker/color_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

// Expected texts from python3: hsl with exact fractions after CSS Color 4,
// oklch with Ottosson's matrices and the C library's cbrt, hypot and atan2.
struct EveryFormatCase {
    ColorSample color;
    const char *text[kCopyFormatCount];
};

const EveryFormatCase kEveryFormatCases[] = {
    {{10, 200, 64},
     {"#0AC840", "0AC840", "rgb(10, 200, 64)", "10, 200, 64", "hsl(137, 90%, 41%)", "0x0040C80A",
      "oklch(72.5% 0.222 145.7)"}},
    {{0, 0, 0},
     {"#000000", "000000", "rgb(0, 0, 0)", "0, 0, 0", "hsl(0, 0%, 0%)", "0x00000000",
      "oklch(0.0% 0.000 0)"}},
    {{255, 255, 255},
     {"#FFFFFF", "FFFFFF", "rgb(255, 255, 255)", "255, 255, 255", "hsl(0, 0%, 100%)", "0x00FFFFFF",
      "oklch(100.0% 0.000 0)"}},
    {{128, 128, 128},
     {"#808080", "808080", "rgb(128, 128, 128)", "128, 128, 128", "hsl(0, 0%, 50%)", "0x00808080",
      "oklch(60.0% 0.000 0)"}},
    {{255, 0, 0},
     {"#FF0000", "FF0000", "rgb(255, 0, 0)", "255, 0, 0", "hsl(0, 100%, 50%)", "0x000000FF",
      "oklch(62.8% 0.258 29.2)"}},
    {{0, 255, 0},
     {"#00FF00", "00FF00", "rgb(0, 255, 0)", "0, 255, 0", "hsl(120, 100%, 50%)", "0x0000FF00",
      "oklch(86.6% 0.295 142.5)"}},
    {{0, 0, 255},
     {"#0000FF", "0000FF", "rgb(0, 0, 255)", "0, 0, 255", "hsl(240, 100%, 50%)", "0x00FF0000",
      "oklch(45.2% 0.313 264.1)"}},
};

std::string ColorName(const ColorSample &color)
{
    return std::to_string(color.red) + "," + std::to_string(color.green) + "," +
           std::to_string(color.blue);
}

TEST(ColorFormat, EveryFormatMatchesItsReference)
{
    for (const EveryFormatCase &c : kEveryFormatCases) {
        for (int format = 0; format < kCopyFormatCount; ++format) {
            SCOPED_TRACE(ColorName(c.color) + " " + c.text[format]);
            char text[kFormattedColorSize];
            int length = FormatColor(static_cast<CopyFormat>(format), c.color, text);
            EXPECT_STREQ(c.text[format], text);
            EXPECT_EQ(static_cast<int>(std::strlen(c.text[format])), length);
        }
    }
}

struct RoundingCase {
    ColorSample color;
    const char *text;
    const char *why;
};

void ExpectFormats(CopyFormat format, const RoundingCase &c)
{
    SCOPED_TRACE(ColorName(c.color) + ": " + c.why);
    char text[kFormattedColorSize];
    FormatColor(format, c.color, text);
    EXPECT_STREQ(c.text, text);
}

const RoundingCase kHslRoundingCases[] = {
    {{255, 0, 1}, "hsl(0, 100%, 50%)", "hue 359.76 rounds to 360, which is 0"},
    {{255, 0, 2}, "hsl(0, 100%, 50%)", "hue 359.53 rounds to 360, which is 0"},
    {{255, 0, 3}, "hsl(359, 100%, 50%)", "hue 359.29"},
    {{0, 1, 8}, "hsl(233, 100%, 2%)", "hue exactly 232.5 rounds up"},
    {{41, 40, 39}, "hsl(30, 3%, 16%)", "saturation exactly 2.5% rounds up"},
};

TEST(ColorFormat, HslRoundsHalfUpAndWrapsTheHue)
{
    for (const RoundingCase &c : kHslRoundingCases)
        ExpectFormats(kFormatHsl, c);
}

const RoundingCase kOklchRoundingCases[] = {
    {{48, 1, 21}, "oklch(20.2% 0.079 0.0)", "hue 359.9992 prints as 0.0"},
    {{52, 41, 44}, "oklch(29.4% 0.017 0.0)", "hue 359.9983 prints as 0.0"},
    {{1, 197, 82}, "oklch(71.9% 0.206 148.4)", "L 71.8500002 rounds up"},
    {{3, 106, 119}, "oklch(48.0% 0.082 209.6)", "L 48.0499998 rounds down"},
    {{1, 111, 136}, "oklch(50.1% 0.092 220.7)", "C 0.0915000043 rounds up"},
    {{3, 228, 10}, "oklch(79.6% 0.269 142.6)", "C 0.2694999909 rounds down"},
    {{0, 8, 80}, "oklch(20.8% 0.126 264.2)", "h 264.1500012 rounds up"},
    {{0, 35, 44}, "oklch(23.7% 0.043 218.7)", "h 218.7499998 rounds down"},
};

TEST(ColorFormat, OklchDecimalsRoundHalfUp)
{
    for (const RoundingCase &c : kOklchRoundingCases)
        ExpectFormats(kFormatOklch, c);
}

} // namespace
