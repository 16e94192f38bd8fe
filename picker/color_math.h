// Platform-free arithmetic of a colour sample: no windows.h here, so it
// builds and is tested natively.
#pragma once

#include <stdint.h>

// The last sampled colour, each component 0..255.
struct ColorSample {
    int32_t red;
    int32_t green;
    int32_t blue;
};

// Room for one readout line: 13 characters for components in 0..255, and
// still enough for any 32-bit component in hexadecimal.
const int kReadoutBufferSize = 32;

// Room for one component as plain decimal text, "0" to "255".
const int kComponentTextSize = 5;

// A pixel value in COLORREF layout, 0x00BBGGRR. An unreadable pixel (all bits
// set) splits into white.
ColorSample SplitPixelValue(uint32_t pixelValue);

// The text colour over a swatch, in COLORREF layout: |127 - red|,
// |255 - green|, |64 - blue|.
uint32_t InkColorOf(const ColorSample &sample);

// A light colour by its weighted brightness: 299 R + 587 G + 114 B of at
// least 128000, the middle of the range.
bool IsLightColor(const ColorSample &sample);

// A colour written 0xRRGGBB, as its hexadecimal code reads.
ColorSample ColorOfRgb(uint32_t rgb);

bool IsSameColor(const ColorSample &a, const ColorSample &b);

// A hexadecimal digit's value, either case; -1 for any other character.
int HexDigitValue(char c);

// The inverse of SplitPixelValue for components in 0..255.
uint32_t PixelValueOf(const ColorSample &sample);

// "%3d  %3d  %3d": decimal, right-aligned in three columns, blank-padded.
// Returns the length written (buffer always terminated).
int FormatDecimalLine(const ColorSample &sample, char (&line)[kReadoutBufferSize]);

// " %2x   %2x   %2x": lower-case hexadecimal, right-aligned in two columns.
int FormatHexLine(const ColorSample &sample, char (&line)[kReadoutBufferSize]);

// A component as plain decimal text with no padding: 0 -> "0", 255 -> "255".
int FormatComponentText(int32_t component, char (&text)[kComponentTextSize]);

// Room for "#RRGGBB" and its terminator.
const int kColorCodeSize = 8;

// "#RRGGBB": upper-case hexadecimal, two digits per component, as the colour
// is put on the clipboard. Only the low byte of each component counts.
int FormatColorCode(const ColorSample &sample, char (&code)[kColorCodeSize]);
