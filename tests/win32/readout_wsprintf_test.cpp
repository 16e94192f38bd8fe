// The readout lines against the platform's own wsprintfA, under the Japanese
// code page the program runs with: the platform is the reference.
#include "picker/color_math.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{

TEST(ReadoutAgainstWsprintf, RunsUnderCodePage932)
{
    EXPECT_EQ(932u, GetACP());
}

TEST(ReadoutAgainstWsprintf, EveryComponentValueInEveryPlaceMatches)
{
    for (int value = 0; value <= 255; ++value) {
        const ColorSample samples[] = {
            {value, 0, 255}, {255, value, 0}, {0, 255, value}, {value, value, value}};
        for (const ColorSample &sample : samples) {
            char expected[kReadoutBufferSize] = {};
            char actual[kReadoutBufferSize] = {};

            int length =
                wsprintfA(expected, "%3d  %3d  %3d", sample.red, sample.green, sample.blue);
            ASSERT_EQ(length, FormatDecimalLine(sample, actual));
            ASSERT_STREQ(expected, actual);

            ZeroMemory(expected, sizeof expected);
            length = wsprintfA(expected, " %2x   %2x   %2x", sample.red, sample.green, sample.blue);
            ASSERT_EQ(length, FormatHexLine(sample, actual));
            ASSERT_STREQ(expected, actual);

            ZeroMemory(expected, sizeof expected);
            char text[kComponentTextSize] = {};
            length = wsprintfA(expected, "%d", sample.red);
            ASSERT_EQ(length, FormatComponentText(sample.red, text));
            ASSERT_STREQ(expected, text);
        }
    }
}

} // namespace
