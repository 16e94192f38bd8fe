#include "picker/loupe_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const ScreenRect kScreen = {0, 0, 1024, 768};
const ScreenRect kPicker = {437, 325, 587, 443};
const ScreenPoint kHidden = {-1, -1};

struct PlacementCase {
    const char *name;
    ScreenRect screen;
    ScreenPoint hotSpot;
    ScreenPoint topLeft; // kHidden: no place fits
};

const PlacementCase kPlacementCases[] = {
    {"open space: lower right", kScreen, {200, 200}, {216, 216}},
    {"top-left corner of the screen", kScreen, {0, 0}, {16, 16}},
    {"right edge just fits", kScreen, {918, 200}, {934, 216}},
    {"right edge: lower left", kScreen, {919, 200}, {813, 216}},
    {"bottom edge just fits", kScreen, {200, 662}, {216, 678}},
    {"bottom edge: upper right", kScreen, {200, 663}, {216, 557}},
    {"bottom-right corner: upper left", kScreen, {1023, 767}, {917, 661}},
    {"picker to the right: lower left", kScreen, {400, 350}, {294, 366}},
    {"touching the picker's left side is clear", kScreen, {331, 350}, {347, 366}},
    {"picker below: lower left", kScreen, {420, 300}, {314, 316}},
    {"picker below on both sides: upper right", kScreen, {500, 300}, {516, 194}},
    {"on the picker", kScreen, {500, 400}, kHidden},
    {"on the picker, near its right edge", kScreen, {586, 442}, kHidden},
    {"just off the picker's right edge", kScreen, {587, 400}, {603, 416}},
    {"a screen too small", {0, 0, 100, 100}, {50, 50}, kHidden},
    {"a monitor left of the primary", {-1280, 0, 0, 1024}, {-10, 500}, {-116, 516}},
};

TEST(LoupePlacement, TakesTheFirstOfFourThatFitsOnScreenAndOffThePicker)
{
    for (const PlacementCase &c : kPlacementCases) {
        SCOPED_TRACE(c.name);
        ScreenPoint topLeft = kHidden;
        bool shown = FindLoupePlace(c.hotSpot, c.screen, kPicker, &topLeft);
        EXPECT_EQ(c.topLeft.x != kHidden.x, shown);
        EXPECT_EQ(c.topLeft.x, topLeft.x);
        EXPECT_EQ(c.topLeft.y, topLeft.y);
    }
}

} // namespace
