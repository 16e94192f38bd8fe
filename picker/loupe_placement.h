// The loupe's size and where it stands beside the pointer. Platform-free, so
// the rule is tested natively.
#pragma once

#include <stdint.h>

// 11 x 11 screen pixels around the hot spot, each an 8 x 8 block, inside a
// one-pixel border.
const int32_t kLoupeSquareSize = 11;
const int32_t kLoupeBlockSize = 8;
const int32_t kLoupeClientSize = kLoupeSquareSize * kLoupeBlockSize;
const int32_t kLoupeOuterSize = kLoupeClientSize + 2;
// From the hot spot to the loupe's nearer edge, across and down.
const int32_t kLoupeGap = 16;

struct ScreenPoint {
    int32_t x;
    int32_t y;
};

// Right and bottom are just outside, as in a Win32 RECT.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The outer top-left corner of the first of lower-right, lower-left,
// upper-right and upper-left of the hot spot where the loupe lies wholly on
// the screen and clear of the picker window. False when none fits, and while
// the hot spot is on the picker window itself.
bool FindLoupePlace(ScreenPoint hotSpot, const ScreenRect &screen, const ScreenRect &picker,
                    ScreenPoint *topLeft);
