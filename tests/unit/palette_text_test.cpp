#include "settings/palette_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{

const ColorSample kCoral = {255, 127, 80};
const ColorSample kGreen = {10, 200, 64};

std::unique_ptr<Palette> PaletteOf(const std::string &text)
{
    std::unique_ptr<Palette> palette(new Palette());
    text.copy(palette->text, sizeof(palette->text));
    palette->length = static_cast<int>(text.size());
    ReadPaletteText(palette.get());
    return palette;
}

std::string TextOf(const Palette &palette)
{
    return std::string(palette.text, palette.length);
}

// "RRGGBB name" for each colour, joined by "|".
std::string Listed(const Palette &palette)
{
    std::string listed;
    for (int i = 0; i < palette.count; ++i) {
        const PaletteEntry &entry = palette.entries[i];
        char code[8];
        snprintf(code, sizeof code, "%02X%02X%02X", entry.color.red, entry.color.green,
                 entry.color.blue);
        listed += (i ? "|" : "") + std::string(code) + " " +
                  std::string(palette.text + entry.name.start, entry.name.length);
    }
    return listed;
}

std::string ManyColorLines(int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0\n";
    return lines;
}

const char kFromGimp[] = "GIMP Palette\nName: from gimp\nColumns: 4\n#\n"
                         "255 127  80\tcoral\n 10 200  64\tbrand green\n";

TEST(PaletteText, ReadsEveryKindOfLineAndSaysWhyAFileIsReadOnly)
{
    const struct {
        const char *name;
        std::string text;
        const char *listed;
        PaletteFault fault;
        int faultLine;
    } cases[] = {
        {"nothing: a new palette", "", "", kPaletteWhole, 0},
        {"GIMP's own, Columns and #", kFromGimp, "FF7F50 coral|0AC840 brand green", kPaletteWhole,
         0},
        {"CR LF", "GIMP Palette \r\nName: x\r\n#\r\n255 127 80\tcoral\r\n10 200 64 two words \r\n",
         "FF7F50 coral|0AC840 two words", kPaletteWhole, 0},
        {"Japanese name, no name, no last line end",
         "GIMP Palette\n255 127 80 \xE7\x8F\x8A\xE7\x91\x9A\xE8\x89\xB2\n0 0 0",
         "FF7F50 \xE7\x8F\x8A\xE7\x91\x9A\xE8\x89\xB2|000000 ", kPaletteWhole, 0},
        {"comments and blank lines between colours, a colour twice",
         "GIMP Palette\n1 2 3 a\n# note\n\n   \n1 2 3 b\n", "010203 a|010203 b", kPaletteWhole, 0},
        {"first line", "GIMP palette\n1 2 3 a\n", "", kFaultHeader, 1},
        {"lines ended by CR alone", "GIMP Palette\r1 2 3 a\r", "", kFaultHeader, 1},
        {"not a colour, the rest still read", "GIMP Palette\n1 2 3 a\n1 2\n4 5 6 b\n",
         "010203 a|040506 b", kFaultLine, 3},
        {"a value over 255", "GIMP Palette\n256 0 0 x\n", "", kFaultLine, 2},
        {"digits run into the name", "GIMP Palette\n1 2 3x\n", "", kFaultLine, 2},
        {"more than 256 colours", "GIMP Palette\n" + ManyColorLines(257), nullptr, kFaultTooMany,
         258},
        {"a name not UTF-8", "GIMP Palette\n1 2 3 ok\n1 2 3 \xFF\n", "010203 ok", kFaultName, 3},
        {"a NUL in a name", std::string("GIMP Palette\n1 2 3 a\0b\n", 23), "", kFaultName, 2},
        {"a CR inside a line", "GIMP Palette\n1 2 3 a\r4 5 6 b\n", "", kFaultName, 2},
        {"a line over 1,000 bytes", "GIMP Palette\n1 2 3 " + std::string(995, 'n') + "\n", "",
         kFaultLongLine, 2},
        {"a line of 1,000 bytes", "GIMP Palette\n1 2 3 " + std::string(994, 'n') + "\n", nullptr,
         kPaletteWhole, 0},
        {"a file over 256 KiB", "GIMP Palette\n1 2 3 a\n" + std::string(kMaxPaletteBytes, '#'),
         "010203 a", kFaultTooBig, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Palette> palette = PaletteOf(c.text);
        if (c.listed) {
            EXPECT_EQ(c.listed, Listed(*palette));
        }
        EXPECT_EQ(c.fault, palette->fault);
        EXPECT_EQ(c.faultLine, palette->faultLine);
    }
    EXPECT_EQ(256, PaletteOf("GIMP Palette\n" + ManyColorLines(257))->count);
}

TEST(PaletteText, EditsChangeOnlyTheLinesTheyMust)
{
    const char kNewFile[] = "GIMP Palette\nName: tanzel\n#\n255 127  80\tcoral\n";
    const struct {
        const char *name;
        std::string before;
        bool add; // else remove
        ColorSample color;
        const char *after; // nullptr: refused, nothing changed
    } cases[] = {
        {"a new file", "", true, kCoral, kNewFile},
        {"appended, GIMP's layout kept",
         kFromGimp,
         true,
         {0, 0, 0},
         "GIMP Palette\nName: from gimp\nColumns: 4\n#\n255 127  80\tcoral\n"
         " 10 200  64\tbrand green\n  0   0   0\tblack\n"},
        {"the file's CR LF", "GIMP Palette\r\n# x\r\n1 2 3 a\r\n", true, kGreen,
         "GIMP Palette\r\n# x\r\n1 2 3 a\r\n 10 200  64\tlimegreen\r\n"},
        {"a last line without its end", "GIMP Palette\n1 2 3 a", true, kCoral,
         "GIMP Palette\n1 2 3 a\n255 127  80\tcoral\n"},
        {"a taken name gets a number", "GIMP Palette\n1 2 3 coral\n4 5 6 coral-2\n", true, kCoral,
         "GIMP Palette\n1 2 3 coral\n4 5 6 coral-2\n255 127  80\tcoral-3\n"},
        {"read-only: never added", "GIMP Palette\n1 2\n", true, kCoral, nullptr},
        {"full: never added", "GIMP Palette\n" + ManyColorLines(256), true, {9, 9, 9}, nullptr},
        {"removed: its line only, comments kept",
         "GIMP Palette\r\n1 2 3 a\r\n# keep\r\n4 5 6 b\r\n",
         false,
         {1, 2, 3},
         "GIMP Palette\r\n# keep\r\n4 5 6 b\r\n"},
        {"removed: the first of two",
         "GIMP Palette\n4 5 6 b\n1 2 3 a\n4 5 6 c",
         false,
         {4, 5, 6},
         "GIMP Palette\n1 2 3 a\n4 5 6 c"},
        {"removed: not kept", "GIMP Palette\n1 2 3 a\n", false, kCoral, nullptr},
        {"removed: read-only", "GIMP Palette\n1 2 3 a\nx\n", false, {1, 2, 3}, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Palette> palette = PaletteOf(c.before);
        bool changed = c.add ? AddPaletteColor(palette.get(), c.color)
                             : RemovePaletteColor(palette.get(), c.color);
        EXPECT_EQ(c.after != nullptr, changed);
        EXPECT_EQ(c.after ? std::string(c.after) : c.before, TextOf(*palette));
    }
}

std::string Formatted(const Palette &palette, PaletteFormat format)
{
    std::unique_ptr<char[]> out(new char[kPaletteCopySize]);
    return std::string(out.get(), FormatPalette(palette, palette.count, format, out.get()));
}

TEST(PaletteText, CopyFormats)
{
    std::unique_ptr<Palette> palette = PaletteOf(kFromGimp);
    const struct {
        PaletteFormat format;
        const char *text;
        const char *firstLine;
    } cases[] = {
        {kPaletteHex, "#FF7F50\r\n#0AC840\r\n", "#FF7F50"},
        {kPaletteCss, ":root {\r\n  --coral: #FF7F50;\r\n  --brand-green: #0AC840;\r\n}\r\n",
         ":root {"},
        {kPaletteGpl,
         "GIMP Palette\r\nName: tanzel\r\n#\r\n255 127  80\tcoral\r\n 10 200  64\tbrand green\r\n",
         "GIMP Palette"},
        {kPalettePaintNet, "; paint.net Palette File\r\nFFFF7F50\r\nFF0AC840\r\n",
         "; paint.net Palette File"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.firstLine);
        EXPECT_EQ(c.text, Formatted(*palette, c.format));
        char first[kPaletteFirstColorSize];
        std::string text(first, FormatPalette(*palette, 1, c.format, first));
        EXPECT_EQ(c.firstLine, text.substr(0, text.find('\r')));
    }
}

TEST(PaletteText, NamesBecomeCssIdentifiers)
{
    const struct {
        const char *names; // one per line
        const char *identifiers;
    } cases[] = {
        {"coral", "coral"},
        {"Brand Green!", "brand-green"},
        {"  a..b  ", "a-b"},
        {"snake_case-and-dash", "snake_case-and-dash"},
        {"\xE7\x8F\x8A\xE7\x91\x9A", "color-1"},
        {"", "color-1"},
        {"x\nX\nx", "x x-2 x-3"},
        {"a-2\na\na", "a-2 a a-3"},
        {"red\n\xE8\xB5\xA4\ncolor-2", "red color-2 color-2-2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.names);
        std::string text = "GIMP Palette\n";
        std::string names = c.names;
        int value = 0;
        for (size_t start = 0; start <= names.size(); ++value) {
            size_t end = names.find('\n', start);
            end = end == std::string::npos ? names.size() : end;
            text += "0 0 " + std::to_string(value) + " " + names.substr(start, end - start) + "\n";
            start = end + 1;
        }
        std::string css = Formatted(*PaletteOf(text), kPaletteCss);
        std::string identifiers;
        for (size_t at = css.find("--"); at != std::string::npos; at = css.find("--", at + 1)) {
            size_t colon = css.find(':', at);
            identifiers += (identifiers.empty() ? "" : " ") + css.substr(at + 2, colon - at - 2);
            at = colon;
        }
        EXPECT_EQ(c.identifiers, identifiers);
    }
}

TEST(PaletteText, PasteIntoPaletteTakesAllOrNothing)
{
    const char kKept[] = "GIMP Palette\n255 127 80 coral\n";
    const struct {
        const char *name;
        std::string pasted;
        const char *listed; // nullptr: refused
    } cases[] = {
        {"GIMP lines, a name kept or found",
         "GIMP Palette\r\nName: x\r\nColumns: 2\r\n# c\r\n\r\n10 200 64 brand\r\n0 0 0\r\n",
         "FF7F50 coral|0AC840 brand|000000 black"},
        {"a style sheet's custom properties",
         "/* brand */\n:root {\n  --brand: #0AC840;\n  --ink : rgb(0 0 0)\n}\n",
         "FF7F50 coral|0AC840 brand|000000 ink"},
        {"what Paste colour reads", "#0AC840\n  rgb(255, 0, 0)  \nrebeccapurple",
         "FF7F50 coral|0AC840 limegreen|FF0000 red|663399 rebeccapurple"},
        {"kept colours and repeats passed over", "#FF7F50\n#0AC840\n0AC840\n",
         "FF7F50 coral|0AC840 limegreen"},
        {"a taken name gets a number", "255 0 0 coral", "FF7F50 coral|FF0000 coral-2"},
        {"Japanese name", "1 2 3 \xE8\xB5\xA4", "FF7F50 coral|010203 \xE8\xB5\xA4"},
        {"one line not understood", "#0AC840\nhello\n", nullptr},
        {"a property that is no colour", "--brand: 12px;", nullptr},
        {"a property with no name", "--: #0AC840;", nullptr},
        {"more than 16 KiB", "#0AC840\n" + std::string(kMaxPasteBytes, '\n'), nullptr},
        {"more colours than fit", ManyColorLines(256), nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Palette> palette = PaletteOf(kKept);
        bool added =
            AddPastedColors(palette.get(), c.pasted.data(), static_cast<int>(c.pasted.size()));
        EXPECT_EQ(c.listed != nullptr, added);
        EXPECT_EQ(c.listed ? c.listed : "FF7F50 coral", Listed(*palette));
        if (!added) {
            EXPECT_EQ(kKept, TextOf(*palette));
        }
    }
    std::unique_ptr<Palette> readOnly = PaletteOf("GIMP Palette\nx\n");
    EXPECT_FALSE(AddPastedColors(readOnly.get(), "#0AC840", 7));
}

} // namespace
