#include "picker/color_names.h"

#include "picker/oklab.h"

namespace
{

#include "picker/color_names_table.inc"

const int kLetterCount = 26;
const int kLongEnd = 31;

const char kFamilyNames[] =
    "black\0white\0grey\0red\0orange\0yellow\0green\0blue\0purple\0pink\0brown";

// Where the walk through the packed names stands; name holds the last one read.
struct NameWalk {
    int bit;
    int kept;
    int index;
    char name[kColorNameSize];
    ColorSample color;
};

int ReadSymbol(int *bit)
{
    int byte = *bit >> 3;
    int symbol = (kPackedColorNames[byte] | kPackedColorNames[byte + 1] << 8) >> (*bit & 7) & 31;
    *bit += 5;
    return symbol;
}

// Reads the next name and its value; false after the last.
bool ReadNextName(NameWalk *walk)
{
    if (walk->index >= kColorNameCount)
        return false;
    int length = walk->kept;
    int symbol;
    while ((symbol = ReadSymbol(&walk->bit)) < kLetterCount)
        walk->name[length++] = static_cast<char>('a' + symbol);
    walk->name[length] = '\0';
    walk->kept = symbol < kLongEnd ? symbol - kLetterCount : ReadSymbol(&walk->bit);
    const unsigned char *value = kColorNameValues + 3 * walk->index++;
    walk->color.red = value[0];
    walk->color.green = value[1];
    walk->color.blue = value[2];
    return true;
}

bool IsSameColor(const ColorSample &a, const ColorSample &b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

void CopyName(const char *from, char *to)
{
    while ((*to++ = *from++) != '\0') {
    }
}

} // namespace

bool LookUpColorName(const char *name, int length, ColorSample *color)
{
    NameWalk walk = {};
    while (ReadNextName(&walk)) {
        int index = 0;
        // Only the letters A to Z become a to z with the 0x20 bit, and the table holds
        // nothing else.
        while (index < length && (name[index] | 0x20) == walk.name[index])
            ++index;
        if (index == length && walk.name[index] == '\0' && length > 0) {
            *color = walk.color;
            return true;
        }
    }
    return false;
}

bool NearestColorName(const ColorSample &color, char (&name)[kColorNameSize])
{
    const OklabColor lab = OklabOf(color);
    double nearest = 1e9;
    NameWalk walk = {};
    while (ReadNextName(&walk)) {
        if (IsSameColor(walk.color, color)) {
            CopyName(walk.name, name);
            return true;
        }
        double distance = SquaredOklabDistance(lab, OklabOf(walk.color));
        if (distance < nearest) {
            nearest = distance;
            CopyName(walk.name, name);
        }
    }
    return false;
}

// The families by lightness L, chroma C and hue h in OKLCh, tried in order:
//   black   L < 0.2 at any chroma: too dark for the hue to name it
//   white   pale: C < 0.04 and L >= 0.9, or L >= 0.94 and C < 0.06 (ivory, linen, the CSS
//           "...white"s: a tint that faint reads as white, not as its hue)
//   black   C < 0.04 and L < 0.3;   grey: C < 0.04 between, where no hue shows
//   h 345 to 15   pink, red below L 0.5 (pink is a light red-purple; #FFC0CB is at 7)
//   h 15 to 40    red (#FF0000 at 29); pink from L 0.8; brown below C 0.08 (rosy brown)
//   h 40 to 80    orange (#FF8040 at 45, #FFA500 at 71); brown below L 0.7, or below
//                 C 0.09 and L 0.85: brown is dark or greyed orange (#8B4513 at 51, tan)
//   h 80 to 120   yellow (#FFFF00 at 110, gold at 95); brown below L 0.5
//   h 120 to 190  green (#00FF00 at 142, turquoise at 185 still reads green)
//   h 190 to 290  blue (aqua and teal at 195 read blue, #0000FF at 264, slate blue at 286)
//   h 290 to 345  purple (rebecca purple at 303, #800080 and fuchsia at 328)
ColorFamily FamilyOf(const ColorSample &color)
{
    const OklchColor lch = OklchOf(OklabOf(color));
    const double lightness = lch.lightness;
    const double chroma = lch.chroma;
    const double hue = lch.hue;
    if (lightness < 0.2)
        return kFamilyBlack;
    if (chroma < 0.04 || (lightness >= 0.94 && chroma < 0.06)) {
        if (lightness >= 0.9)
            return kFamilyWhite;
        return lightness < 0.3 ? kFamilyBlack : kFamilyGrey;
    }
    if (hue < 15.0 || hue >= 345.0)
        return lightness < 0.5 ? kFamilyRed : kFamilyPink;
    if (hue < 40.0) {
        if (lightness >= 0.8)
            return kFamilyPink;
        return chroma < 0.08 ? kFamilyBrown : kFamilyRed;
    }
    if (hue < 80.0) {
        bool brown = lightness < 0.7 || (chroma < 0.09 && lightness < 0.85);
        return brown ? kFamilyBrown : kFamilyOrange;
    }
    if (hue < 120.0)
        return lightness < 0.5 ? kFamilyBrown : kFamilyYellow;
    if (hue < 190.0)
        return kFamilyGreen;
    return hue < 290.0 ? kFamilyBlue : kFamilyPurple;
}

const char *ColorFamilyName(ColorFamily family)
{
    const char *name = kFamilyNames;
    for (int skipped = 0; skipped < family && skipped < kColorFamilyCount - 1; ++skipped) {
        while (*name++ != '\0') {
        }
    }
    return name;
}
