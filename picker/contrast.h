// The WCAG 2 contrast ratio of two colours, its verdict and its text.
// Platform-free, no C runtime.
#pragma once

#include "picker/color_math.h"

// The ratio of the lighter colour's relative luminance plus 0.05 to the
// darker one's, times 100 and cut, not rounded (4.478:1 is 447), so that a
// shown ratio never passes a level the real one fails: 100 for colours of the
// same luminance up to 2100 for black and white, whichever is given first.
// Computed in doubles, in which both of those ends come out exact.
int ContrastHundredths(const ColorSample &one, const ColorSample &other);

enum ContrastVerdict { kContrastFail, kContrastAaLarge, kContrastAa, kContrastAaa };

// AAA from 7:1, AA from 4.5:1, AA large from 3:1, else fail. The cut
// hundredths pass a level exactly when the real ratio does.
ContrastVerdict ContrastVerdictOf(int hundredths);

// Room for "21.00:1" and its terminator.
const int kContrastTextSize = 8;

// The ratio with two decimals: 454 -> "4.54:1". Returns the length.
int FormatContrastRatio(int hundredths, char (&text)[kContrastTextSize]);
