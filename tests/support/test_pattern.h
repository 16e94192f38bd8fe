// A test pattern whose every pixel on a screen of up to 1024 x 1024 has a
// colour of its own, shown by tanzel_pattern.exe in a process of its own.
#pragma once

#include <windows.h>

// Odd multipliers keep red and green one-to-one with the low bytes of x and
// y while neighbours differ widely; blue holds the high bits.
inline COLORREF TestPatternColor(int x, int y)
{
    return RGB((x * 73) & 0xFF, (y * 151) & 0xFF, ((x >> 8) & 3) * 64 + ((y >> 8) & 3) * 16);
}

// Shows the pattern over screenRect, each pixel coloured by its screen
// position; returns the window once the pattern is on the screen, or NULL.
HWND ShowTestPattern(RECT screenRect);
void CloseTestPattern(HWND pattern);
