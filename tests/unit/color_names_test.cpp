#include "picker/color_names.h"

#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// The family's English word, as the menu shows it.
const char *FamilyName(ColorFamily family)
{
    return UiTextIn(kUiEnglish, static_cast<UiTextId>(kTextFamilyBlack + family));
}

std::string Hex(const ColorSample &color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

ColorSample Split(uint32_t rgb)
{
    return {static_cast<int32_t>(rgb >> 16), static_cast<int32_t>(rgb >> 8 & 0xFF),
            static_cast<int32_t>(rgb & 0xFF)};
}

const struct {
    const char *name;
    int length;
    bool found;
    uint32_t rgb;
} kLookUpCases[] = {
    {"aliceblue", 9, true, 0xF0F8FF},
    {"yellowgreen", 11, true, 0x9ACD32},
    {"rebeccapurple", 13, true, 0x663399},
    {"DarkSlateGrey", 13, true, 0x2F4F4F},
    {"LIGHTGOLDENRODYELLOW", 20, true, 0xFAFAD2},
    {"cyan", 4, true, 0x00FFFF},
    {"magenta", 7, true, 0xFF00FF},
    {"tan", 3, true, 0xD2B48C},
    {"redx", 3, true, 0xFF0000},
    {"transparent", 11, false, 0},
    {"", 0, false, 0},
    {"re", 2, false, 0},
    {"redd", 4, false, 0},
    {"red ", 4, false, 0},
    {"dark", 4, false, 0},
    {"light goldenrod yellow", 22, false, 0},
    {"lightgoldenrodyelloww", 21, false, 0},
    {"r\xC5"
     "d",
     3, false, 0},
    {"gr@y", 4, false, 0},
};

TEST(ColorNames, LookUpTakesTheCssNamesInAnyCaseAndNothingElse)
{
    for (const auto &c : kLookUpCases) {
        SCOPED_TRACE(std::string(c.name, c.length));
        ColorSample color = {1, 2, 3};
        EXPECT_EQ(c.found, LookUpColorName(c.name, c.length, &color));
        EXPECT_EQ(c.found ? Hex(Split(c.rgb)) : "010203", Hex(color));
    }
}

const char *const kAllNames[] = {
    "aliceblue",
    "antiquewhite",
    "aqua",
    "aquamarine",
    "azure",
    "beige",
    "bisque",
    "black",
    "blanchedalmond",
    "blue",
    "blueviolet",
    "brown",
    "burlywood",
    "cadetblue",
    "chartreuse",
    "chocolate",
    "coral",
    "cornflowerblue",
    "cornsilk",
    "crimson",
    "cyan",
    "darkblue",
    "darkcyan",
    "darkgoldenrod",
    "darkgray",
    "darkgreen",
    "darkgrey",
    "darkkhaki",
    "darkmagenta",
    "darkolivegreen",
    "darkorange",
    "darkorchid",
    "darkred",
    "darksalmon",
    "darkseagreen",
    "darkslateblue",
    "darkslategray",
    "darkslategrey",
    "darkturquoise",
    "darkviolet",
    "deeppink",
    "deepskyblue",
    "dimgray",
    "dimgrey",
    "dodgerblue",
    "firebrick",
    "floralwhite",
    "forestgreen",
    "fuchsia",
    "gainsboro",
    "ghostwhite",
    "gold",
    "goldenrod",
    "gray",
    "green",
    "greenyellow",
    "grey",
    "honeydew",
    "hotpink",
    "indianred",
    "indigo",
    "ivory",
    "khaki",
    "lavender",
    "lavenderblush",
    "lawngreen",
    "lemonchiffon",
    "lightblue",
    "lightcoral",
    "lightcyan",
    "lightgoldenrodyellow",
    "lightgray",
    "lightgreen",
    "lightgrey",
    "lightpink",
    "lightsalmon",
    "lightseagreen",
    "lightskyblue",
    "lightslategray",
    "lightslategrey",
    "lightsteelblue",
    "lightyellow",
    "lime",
    "limegreen",
    "linen",
    "magenta",
    "maroon",
    "mediumaquamarine",
    "mediumblue",
    "mediumorchid",
    "mediumpurple",
    "mediumseagreen",
    "mediumslateblue",
    "mediumspringgreen",
    "mediumturquoise",
    "mediumvioletred",
    "midnightblue",
    "mintcream",
    "mistyrose",
    "moccasin",
    "navajowhite",
    "navy",
    "oldlace",
    "olive",
    "olivedrab",
    "orange",
    "orangered",
    "orchid",
    "palegoldenrod",
    "palegreen",
    "paleturquoise",
    "palevioletred",
    "papayawhip",
    "peachpuff",
    "peru",
    "pink",
    "plum",
    "powderblue",
    "purple",
    "rebeccapurple",
    "red",
    "rosybrown",
    "royalblue",
    "saddlebrown",
    "salmon",
    "sandybrown",
    "seagreen",
    "seashell",
    "sienna",
    "silver",
    "skyblue",
    "slateblue",
    "slategray",
    "slategrey",
    "snow",
    "springgreen",
    "steelblue",
    "tan",
    "teal",
    "thistle",
    "tomato",
    "turquoise",
    "violet",
    "wheat",
    "white",
    "whitesmoke",
    "yellow",
    "yellowgreen",
};

// Every name reads back from the packed table, and its value names it (or an
// alias before it).
TEST(ColorNames, EveryNameFindsItsValueAndTheValueItsName)
{
    ASSERT_EQ(148u, sizeof kAllNames / sizeof kAllNames[0]);
    for (const char *name : kAllNames) {
        SCOPED_TRACE(name);
        ColorSample color = {};
        ASSERT_TRUE(LookUpColorName(name, static_cast<int>(std::strlen(name)), &color));
        char nearest[kColorNameSize];
        EXPECT_TRUE(NearestColorName(color, nearest));
        ColorSample again = {};
        LookUpColorName(nearest, static_cast<int>(std::strlen(nearest)), &again);
        EXPECT_EQ(Hex(color), Hex(again));
        EXPECT_LE(std::string(nearest), std::string(name));
    }
}

// Expected names from python3 with Ottosson's matrices, each nearer than the
// next by a clear margin.
const struct {
    uint32_t rgb;
    const char *name;
    bool exact;
} kNearestCases[] = {
    {0x0AC840, "limegreen", false},
    {0xFF8040, "coral", false},
    {0x808080, "gray", true},
    {0x00FFFF, "aqua", true},
    {0xFF00FF, "fuchsia", true},
    {0x2F4F4F, "darkslategray", true},
    {0xFFFFFF, "white", true},
    {0x000000, "black", true},
    {0x010101, "black", false},
    {0xFAFAFA, "snow", false},
    {0x6495EE, "cornflowerblue", false},
    {0xC80000, "firebrick", false},
    {0x783C1E, "saddlebrown", false},
    {0x123456, "midnightblue", false},
};

TEST(ColorNames, NearestNameIsNearestInOklab)
{
    for (const auto &c : kNearestCases) {
        SCOPED_TRACE(c.name);
        char name[kColorNameSize];
        EXPECT_EQ(c.exact, NearestColorName(Split(c.rgb), name));
        EXPECT_STREQ(c.name, name);
    }
}

const struct {
    uint32_t rgb;
    ColorFamily family;
} kFamilyCases[] = {
    // The issue's own.
    {0xFF0000, kFamilyRed},
    {0x00FF00, kFamilyGreen},
    {0x0AC840, kFamilyGreen},
    {0x0000FF, kFamilyBlue},
    {0xFFFF00, kFamilyYellow},
    {0xFFA500, kFamilyOrange},
    {0xFF8040, kFamilyOrange},
    {0xFFC0CB, kFamilyPink},
    {0x800080, kFamilyPurple},
    {0x8B4513, kFamilyBrown},
    {0x808080, kFamilyGrey},
    {0x000000, kFamilyBlack},
    {0xFFFFFF, kFamilyWhite},
    // Near the boundaries.
    {0x282828, kFamilyBlack},  // grey of L 0.28
    {0x3C3C3C, kFamilyGrey},   // grey of L 0.36
    {0x000080, kFamilyBlue},   // navy, L 0.27 but clearly blue
    {0x2F4F4F, kFamilyGrey},   // darkslategray, C 0.038
    {0x708090, kFamilyGrey},   // slategray
    {0xFFFFF0, kFamilyWhite},  // ivory
    {0xE6E6FA, kFamilyWhite},  // lavender
    {0xD2B48C, kFamilyBrown},  // tan, a greyed orange
    {0xD2691E, kFamilyBrown},  // chocolate
    {0xFF7F50, kFamilyOrange}, // coral, h 40
    {0xFF6347, kFamilyRed},    // tomato, h 32
    {0x800000, kFamilyRed},    // maroon
    {0xFFD700, kFamilyYellow}, // gold
    {0x808000, kFamilyYellow}, // olive
    {0x40E0D0, kFamilyGreen},  // turquoise, h 185
    {0x008080, kFamilyBlue},   // teal, h 195
    {0x6A5ACD, kFamilyBlue},   // slateblue, h 286
    {0x663399, kFamilyPurple}, // rebeccapurple, h 303
    {0xFF69B4, kFamilyPink},   // hotpink
    {0xC71585, kFamilyPink},   // mediumvioletred, h 350
    {0xFFB6C1, kFamilyPink},   // lightpink
};

TEST(ColorNames, FamilyFollowsLightnessChromaAndHue)
{
    for (const auto &c : kFamilyCases) {
        SCOPED_TRACE(Hex(Split(c.rgb)));
        EXPECT_STREQ(FamilyName(c.family), FamilyName(FamilyOf(Split(c.rgb))));
    }
}

TEST(ColorNames, FamilyNamesAreTheElevenTerms)
{
    std::string names;
    for (int family = 0; family < kColorFamilyCount; ++family)
        names += std::string(FamilyName(static_cast<ColorFamily>(family))) + " ";
    EXPECT_EQ("black white grey red orange yellow green blue purple pink brown ", names);
}

} // namespace
