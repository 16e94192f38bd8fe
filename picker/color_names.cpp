#include "picker/color_names.h"

#include "picker/oklab.h"

namespace
{

#include "picker/color_names_table.inc"

const int kLetterCount = 26;
const int kLongEnd = 31;

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

void CopyName(const char *from, char *to)
{
    while ((*to++ = *from++) != '\0') {
    }
}

// The families by OKLCh lightness L (in percent), chroma C (in thousandths) and
// hue h (in degrees), cut to whole numbers. First, where no hue shows:
//   black   L < 20 at any chroma: too dark for the hue to name it
//   white   C < 40 and L >= 90, or L >= 94 and C < 60: a tint that faint (ivory, linen,
//           the CSS "...white"s) reads as white, not as its hue
//   black   C < 40 and L < 30;   grey   C < 40 between
// Then by hue band, each with its exceptions:
//   h < 15 and from 345  pink (#FFC0CB is at 7); red below L 50, a dark rose being red
//   15 to 40   red (#FF0000 at 29); pink from L 80, a light red; brown below C 80
//              (rosy brown), a greyed red
//   40 to 80   orange (#FF8040 at 45, #FFA500 at 71); brown below L 70, or below C 90
//              and L 85: brown is dark or greyed orange (#8B4513 at 51, tan, peru)
//   80 to 120  yellow (#FFFF00 at 110, gold at 95, olive); brown below L 50
//   120 to 190 green (#00FF00 at 142; turquoise at 185 still reads green)
//   190 to 290 blue (aqua and teal at 195 read blue; #0000FF at 264; slate blue at 286)
//   290 to 345 purple (rebecca purple at 303; #800080 and fuchsia at 328)
struct FamilyBand {
    unsigned char hueEnd; // in steps of 5 degrees
    unsigned char family;
    unsigned char pinkFrom;  // lightness
    unsigned char darkBelow; // lightness
    unsigned char darkFamily;
    unsigned char brownBelowChroma;
    unsigned char brownBelow; // lightness, with the chroma
};

const unsigned char kNever = 255;

const FamilyBand kFamilyBands[] = {
    {15 / 5, kFamilyPink, kNever, 50, kFamilyRed, 0, 0},
    {40 / 5, kFamilyRed, 80, 0, 0, 80, kNever},
    {80 / 5, kFamilyOrange, kNever, 70, kFamilyBrown, 90, 85},
    {120 / 5, kFamilyYellow, kNever, 50, kFamilyBrown, 0, 0},
    {190 / 5, kFamilyGreen, kNever, 0, 0, 0, 0},
    {290 / 5, kFamilyBlue, kNever, 0, 0, 0, 0},
    {345 / 5, kFamilyPurple, kNever, 0, 0, 0, 0},
    {360 / 5, kFamilyPink, kNever, 50, kFamilyRed, 0, 0},
};

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

ColorFamily FamilyOf(const ColorSample &color)
{
    const OklchColor lch = OklchOf(OklabOf(color));
    int lightness = static_cast<int>(lch.lightness * 100.0);
    int chroma = static_cast<int>(lch.chroma * 1000.0);
    int hue = static_cast<int>(lch.hue);
    if (lightness < 20)
        return kFamilyBlack;
    if (chroma < 40 || (lightness >= 94 && chroma < 60)) {
        if (lightness >= 90)
            return kFamilyWhite;
        return lightness < 30 ? kFamilyBlack : kFamilyGrey;
    }
    const FamilyBand *band = kFamilyBands;
    while (hue >= band->hueEnd * 5)
        ++band;
    if (lightness >= band->pinkFrom)
        return kFamilyPink;
    if (lightness < band->darkBelow)
        return static_cast<ColorFamily>(band->darkFamily);
    if (chroma < band->brownBelowChroma && lightness < band->brownBelow)
        return kFamilyBrown;
    return static_cast<ColorFamily>(band->family);
}
