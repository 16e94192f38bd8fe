// The colour as text in the formats it can be copied in. Platform-free: no
// C runtime either, so the exe keeps importing only the system's DLLs.
#pragma once

#include <stdint.h>

#include "picker/color_math.h"

enum CopyFormat {
    kFormatHex,      // #0AC840
    kFormatBare,     // 0AC840
    kFormatRgb,      // rgb(10, 200, 64)
    kFormatList,     // 10, 200, 64
    kFormatHsl,      // hsl(137, 90%, 41%)
    kFormatColorref, // 0x0040C80A
    kFormatOklch,    // oklch(72.5% 0.222 145.7)
    kCopyFormatCount
};

// Room for the longest text of any format and its terminator.
const int kFormattedColorSize = 32;

// Writes the colour in that format; returns the length (text always
// terminated).
int FormatColor(CopyFormat format, const ColorSample &sample, char (&text)[kFormattedColorSize]);

// value >= 0 as decimal text with a point before its last `decimals` digits
// (725, 1 -> "72.5"), not terminated; returns the end.
char *AppendDecimal(char *out, int value, int decimals);

// For value >= -0.5 only, which is all a colour needs.
int RoundHalfUp(double value);
