// The CSS named colours: a name's colour, the name nearest a colour, and the
// plain family a colour belongs to. Platform-free, no C runtime.
#pragma once

#include "picker/color_math.h"

// Room for the longest name, "lightgoldenrodyellow", and its terminator.
const int kColorNameSize = 21;

// The colour of a CSS name of length letters, in any letter case; the name
// need not be terminated. False for anything else, "transparent" too.
bool LookUpColorName(const char *name, int length, ColorSample *color);

// The CSS name nearest the colour in OKLab (Euclidean distance), terminated;
// of names with the same value, the first alphabetically (aqua, not cyan).
// True when the name's value is the colour itself.
bool NearestColorName(const ColorSample &color, char (&name)[kColorNameSize]);

// The eleven basic colour terms of English.
enum ColorFamily {
    kFamilyBlack,
    kFamilyWhite,
    kFamilyGrey,
    kFamilyRed,
    kFamilyOrange,
    kFamilyYellow,
    kFamilyGreen,
    kFamilyBlue,
    kFamilyPurple,
    kFamilyPink,
    kFamilyBrown,
    kColorFamilyCount
};

// By the colour's lightness, chroma and hue in OKLCh.
ColorFamily FamilyOf(const ColorSample &color);
