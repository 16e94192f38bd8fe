#include "settings/options.h"

namespace
{

const char *const kCopyFormatNames[kCopyFormatCount] = {"hex", "bare",     "rgb",  "list",
                                                        "hsl", "colorref", "oklch"};
const char *const kPaletteFormatNames[kPaletteFormatCount] = {"hex", "css", "gpl", "paintnet"};

bool IsRecentSeparator(char c)
{
    return c == ' ' || c == '\t';
}

bool EqualsIgnoringCase(const char *text, const char *lowerName)
{
    for (; *lowerName; ++text, ++lowerName) {
        char c = *text >= 'A' && *text <= 'Z' ? static_cast<char>(*text + ('a' - 'A')) : *text;
        if (c != *lowerName)
            return false;
    }
    return *text == '\0';
}

// Reads six hex digits into the colour; false if any is not one.
bool ReadColorCode(const char *digits, ColorSample *color)
{
    int32_t value = 0;
    for (int i = 0; i < 6; ++i) {
        int digit = HexDigitValue(digits[i]);
        if (digit < 0)
            return false;
        value = value << 4 | digit;
    }
    *color = ColorOfRgb(static_cast<uint32_t>(value));
    return true;
}

// The place of the text among the names, in any case; 0 (the default) when
// it is none of them.
int IndexOfName(const char *text, const char *const *names, int count)
{
    for (int index = 0; index < count; ++index) {
        if (EqualsIgnoringCase(text, names[index]))
            return index;
    }
    return 0;
}

} // namespace

int ParseAverageSide(const char *text)
{
    char side = text[0];
    bool isOddDigit = side >= '1' && side <= '9' && (side - '0') % 2 == 1;
    return isOddDigit && text[1] == '\0' ? side - '0' : 1;
}

CopyFormat ParseCopyFormat(const char *text)
{
    return static_cast<CopyFormat>(IndexOfName(text, kCopyFormatNames, kCopyFormatCount));
}

PaletteFormat ParsePaletteFormat(const char *text)
{
    return static_cast<PaletteFormat>(IndexOfName(text, kPaletteFormatNames, kPaletteFormatCount));
}

const char *PaletteFormatName(PaletteFormat format)
{
    return kPaletteFormatNames[format];
}

const char *CopyFormatName(CopyFormat format)
{
    return format >= 0 && format < kCopyFormatCount ? kCopyFormatNames[format] : "hex";
}

void ParseRecentColors(const char *text, RecentColors *list)
{
    list->count = 0;
    while (*text) {
        const char *piece = text;
        while (*text && !IsRecentSeparator(*text))
            ++text;
        ColorSample color;
        if (text - piece == 6 && ReadColorCode(piece, &color))
            AppendRecentColor(list, color);
        if (*text)
            ++text;
    }
}

int FormatRecentColors(const RecentColors &list, char (&text)[kRecentTextSize])
{
    char *out = text;
    for (int index = 0; index < list.count && index < kMaxRecentColors; ++index) {
        if (index > 0)
            *out++ = ' ';
        char code[kColorCodeSize];
        FormatColorCode(list.colors[index], code);
        for (int i = 1; i <= 6; ++i)
            *out++ = code[i];
    }
    *out = '\0';
    return static_cast<int>(out - text);
}

int SplitExtraTitles(char *text, const char **titles, int maxTitles,
                     bool (*isLeadByte)(uint8_t byte))
{
    int count = 0;
    while (*text) {
        char *piece = text;
        // A double-byte character's second byte may be '|' in Shift-JIS.
        while (*text && *text != '|')
            text += isLeadByte(static_cast<uint8_t>(*text)) && text[1] ? 2 : 1;
        int length = static_cast<int>(text - piece);
        if (*text)
            *text++ = '\0';
        if (length > 0 && length <= kMaxTitleLength && count < maxTitles)
            titles[count++] = piece;
    }
    return count;
}
