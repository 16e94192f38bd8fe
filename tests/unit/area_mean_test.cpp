#include "picker/area_mean.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

// Expected values from python3: its own decoding, the nearest encoding found
// by trying all 256, the lower one first. 188 is 0xBC.
struct MeanCase {
    const char *name;
    int columns, rows;
    uint32_t mean;
    std::vector<uint32_t> pixels; // row after row, no gaps
};

const uint32_t kBlack = 0x000000;
const uint32_t kWhite = 0xFFFFFF;

const MeanCase kMeanCases[] = {
    {"uniform 0AC840", 3, 3, 0x0AC840, std::vector<uint32_t>(9, 0x0AC840)},
    {"uniform black", 5, 5, kBlack, std::vector<uint32_t>(25, kBlack)},
    {"uniform white", 9, 9, kWhite, std::vector<uint32_t>(81, kWhite)},
    {"one pixel", 1, 1, 0x123456, {0x123456}},
    {"checkerboard", 2, 2, 0xBCBCBC, {kBlack, kWhite, kWhite, kBlack}},
    {"black row over white row", 3, 2, 0xBCBCBC, {kBlack, kBlack, kBlack, kWhite, kWhite, kWhite}},
    {"five white, four black: 197",
     3,
     3,
     0xC5C5C5,
     {kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite}},
    {"half way from 0 to 1 is a tie", 2, 1, 0x000000, {0x000000, 0x010101}},
    {"two thirds of the way to 1", 3, 1, 0x010101, {0x000000, 0x010101, 0x010101}},
    {"assorted: 161, 168, 153",
     3,
     3,
     0xA1A899,
     {0xFF0000, 0x00FF00, 0x0000FF, 0x0AC840, 0x808080, 0x123456, 0xFEDCBA, kBlack, kWhite}},
};

TEST(AreaMean, MeanIsTakenInLinearLight)
{
    for (const MeanCase &c : kMeanCases) {
        SCOPED_TRACE(c.name);
        ColorSample mean = AverageInLinearLight(c.pixels.data(), c.columns, c.columns, c.rows);
        EXPECT_EQ(static_cast<int>(c.mean >> 16), mean.red);
        EXPECT_EQ(static_cast<int>(c.mean >> 8 & 0xFF), mean.green);
        EXPECT_EQ(static_cast<int>(c.mean & 0xFF), mean.blue);
    }
}

TEST(AreaMean, RowsAreStridePixelsApart)
{
    // 4 x 3 pixels; the 2 x 2 square at (1, 1) holds 0AC840 FF8000 / 000000 FFFFFF.
    const uint32_t grid[] = {0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x0AC840,
                             0xFF8000, 0x666666, 0x777777, 0x000000, 0xFFFFFF, 0x888888};
    ColorSample mean = AverageInLinearLight(grid + 5, 4, 2, 2);
    EXPECT_EQ(188, mean.red);
    EXPECT_EQ(179, mean.green);
    EXPECT_EQ(140, mean.blue);
}

TEST(AreaMean, DecodingMatchesTheCLibrarysPower)
{
    PrepareLinearLight();
    for (int value = 0; value <= 255; ++value) {
        SCOPED_TRACE(value);
        double fraction = value / 255.0;
        double expected =
            fraction <= 0.04045 ? fraction / 12.92 : std::pow((fraction + 0.055) / 1.055, 2.4);
        EXPECT_NEAR(expected, DecodeSrgb(value), 1e-13);
    }
}

TEST(AreaMean, EncodingFindsTheNearestValue)
{
    for (int value = 0; value <= 255; ++value) {
        SCOPED_TRACE(value);
        EXPECT_EQ(value, EncodeSrgb(DecodeSrgb(value)));
        if (value < 255) {
            double low = DecodeSrgb(value);
            double high = DecodeSrgb(value + 1);
            EXPECT_EQ(value, EncodeSrgb(low + (high - low) * 0.49));
            EXPECT_EQ(value + 1, EncodeSrgb(low + (high - low) * 0.51));
        }
    }
    EXPECT_EQ(0, EncodeSrgb(-0.5));
    EXPECT_EQ(255, EncodeSrgb(1.5));
}

} // namespace
