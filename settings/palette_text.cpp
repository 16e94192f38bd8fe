#include "settings/palette_text.h"

#include "picker/color_format.h"
#include "picker/color_names.h"
#include "picker/color_parse.h"

namespace
{

const char kNewFileHeader[] = "GIMP Palette\nName: tanzel\n#\n";
// What each format writes before the colours.
const char *const kHeads[kPaletteFormatCount] = {
    "", ":root {\r\n", "GIMP Palette\r\nName: tanzel\r\n#\r\n", "; paint.net Palette File\r\n"};
// Room for a colour line's numbers, tab and line ending around its name.
const int kColorLineExtra = 16;

struct Line {
    const char *start;
    const char *end; // before the line ending
    const char *next;
};

Line LineAt(const char *at, const char *limit)
{
    Line line = {at, at, at};
    while (line.next < limit && *line.next != '\n')
        ++line.next;
    line.end = line.next;
    if (line.end > at && line.end[-1] == '\r')
        --line.end;
    if (line.next < limit)
        ++line.next;
    return line;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char *SkipBlanks(const char *at, const char *end)
{
    while (at < end && IsBlank(*at))
        ++at;
    return at;
}

const char *TrimBlanks(const char *start, const char *end)
{
    while (end > start && IsBlank(end[-1]))
        --end;
    return end;
}

bool StartsWith(const char *at, const char *end, const char *prefix)
{
    for (; *prefix; ++at, ++prefix)
        if (at == end || *at != *prefix)
            return false;
    return true;
}

int TextLength(const char *text)
{
    int length = 0;
    while (text[length])
        ++length;
    return length;
}

bool SameBytes(const char *a, int aLength, const char *b, int bLength)
{
    if (aLength != bLength)
        return false;
    for (int i = 0; i < aLength; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

char *AppendBytes(char *out, const char *bytes, int length)
{
    for (int i = 0; i < length; ++i)
        *out++ = bytes[i];
    return out;
}

char *AppendText(char *out, const char *text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

// A component of a colour line: 0 to 255, then a blank or the line's end.
const char *ReadComponent(const char *at, const char *end, int32_t *value)
{
    at = SkipBlanks(at, end);
    const char *digits = at;
    int32_t read = 0;
    while (at < end && *at >= '0' && *at <= '9' && read <= 255)
        read = read * 10 + (*at++ - '0');
    if (at == digits || read > 255 || (at < end && !IsBlank(*at)))
        return 0;
    *value = read;
    return at;
}

// "R G B name"; the name without the blanks around it, possibly empty.
bool ReadColorLine(const char *at, const char *end, ColorSample *color, const char **name,
                   const char **nameEnd)
{
    int32_t *components[3] = {&color->red, &color->green, &color->blue};
    for (int32_t *component : components) {
        at = ReadComponent(at, end, component);
        if (!at)
            return false;
    }
    *name = SkipBlanks(at, end);
    *nameEnd = TrimBlanks(*name, end);
    return true;
}

// Empty, a "#" comment, or a header line other than the first.
bool IsCommentOrHeader(const char *at, const char *end)
{
    at = SkipBlanks(at, end);
    return at == end || *at == '#' || StartsWith(at, end, "Name:") ||
           StartsWith(at, end, "Columns:");
}

// UTF-8 as it is written, with no control character but the tab (a NUL, or
// a CR that ends no line); overlong forms are not looked for.
bool IsUtf8Name(const char *name, const char *end)
{
    while (name < end) {
        unsigned char lead = static_cast<unsigned char>(*name++);
        int following = lead < 0x80   ? 0
                        : lead < 0xC2 ? -1
                        : lead < 0xE0 ? 1
                        : lead < 0xF0 ? 2
                        : lead < 0xF5 ? 3
                                      : -1;
        if ((lead < ' ' && lead != '\t') || following < 0)
            return false;
        for (; following > 0; --following)
            if (name == end || (static_cast<unsigned char>(*name++) & 0xC0) != 0x80)
                return false;
    }
    return true;
}

// Adds the line's colour, if it has one; returns what is wrong with it.
PaletteFault ReadPaletteLine(Palette *palette, const Line &line)
{
    if (line.end - line.start > kMaxPaletteLine)
        return kFaultLongLine;
    PaletteEntry entry;
    const char *name;
    const char *nameEnd;
    if (IsCommentOrHeader(line.start, line.end))
        return kPaletteWhole;
    if (!ReadColorLine(line.start, line.end, &entry.color, &name, &nameEnd))
        return kFaultLine;
    if (!IsUtf8Name(name, nameEnd))
        return kFaultName;
    if (palette->count == kMaxPaletteColors)
        return kFaultTooMany;
    const char *text = palette->text;
    entry.lineStart = static_cast<int>(line.start - text);
    entry.lineEnd = static_cast<int>(line.next - text);
    entry.name.start = static_cast<int>(name - text);
    entry.name.length = static_cast<int>(nameEnd - name);
    palette->entries[palette->count++] = entry;
    return kPaletteWhole;
}

// New lines end as the file's first line does.
const char *LineEndingOf(const Palette &palette)
{
    for (int i = 0; i < palette.length; ++i)
        if (palette.text[i] == '\n')
            return i > 0 && palette.text[i - 1] == '\r' ? "\r\n" : "\n";
    return "\n";
}

// The names a new one must differ from: count spans of text, stride bytes
// apart, so that they may stand inside larger records.
struct TakenNames {
    const char *text;
    const TextSpan *first;
    int stride;
    int count;
};

bool IsTaken(const TakenNames &taken, const char *name, int length)
{
    const char *at = reinterpret_cast<const char *>(taken.first);
    for (int i = 0; i < taken.count; ++i, at += taken.stride) {
        const TextSpan *span = reinterpret_cast<const TextSpan *>(at);
        if (SameBytes(taken.text + span->start, span->length, name, length))
            return true;
    }
    return false;
}

// Appends "-2", "-3", ... to the name until it is not taken; returns its
// length.
int MakeUnique(char *name, int length, const TakenNames &taken)
{
    const int plain = length;
    for (int number = 2; IsTaken(taken, name, length); ++number) {
        name[plain] = '-';
        length = static_cast<int>(AppendDecimal(name + plain + 1, number, 0) - name);
    }
    return length;
}

// "%3d %3d %3d", a tab, the name.
char *AppendGimpLine(char *out, const ColorSample &color, const char *name, int nameLength)
{
    const int32_t components[3] = {color.red, color.green, color.blue};
    for (int i = 0; i < 3; ++i) {
        for (int32_t width = 100; width > 1 && components[i] < width; width /= 10)
            *out++ = ' ';
        out = AppendDecimal(out, components[i], 0);
        *out++ = i < 2 ? ' ' : '\t';
    }
    return AppendBytes(out, name, nameLength);
}

// An empty name becomes the colour's nearest CSS name.
bool AddNamedColor(Palette *palette, const ColorSample &color, const char *name, int nameLength)
{
    char unique[kMaxPaletteLine];
    char nearest[kColorNameSize];
    if (nameLength == 0) {
        NearestColorName(color, nearest);
        name = nearest;
        nameLength = TextLength(nearest);
    }
    if (nameLength > kMaxPaletteLine - 2 * kColorLineExtra)
        return false;
    AppendBytes(unique, name, nameLength);
    const TakenNames names = {palette->text, &palette->entries[0].name,
                              static_cast<int>(sizeof(PaletteEntry)), palette->count};
    nameLength = MakeUnique(unique, nameLength, names);
    int room = kMaxPaletteBytes - palette->length - static_cast<int>(sizeof(kNewFileHeader));
    if (palette->fault != kPaletteWhole || palette->count == kMaxPaletteColors ||
        nameLength + 2 * kColorLineExtra > room)
        return false;
    const char *ending = LineEndingOf(*palette);
    char *out = palette->text + palette->length;
    if (palette->length == 0)
        out = AppendText(out, kNewFileHeader);
    else if (out[-1] != '\n')
        out = AppendText(out, ending);
    out = AppendText(AppendGimpLine(out, color, unique, nameLength), ending);
    palette->length = static_cast<int>(out - palette->text);
    ReadPaletteText(palette);
    return true;
}

bool ReadColorText(const char *at, const char *end, ColorSample *color)
{
    char text[kLongestColorText + 1];
    if (end - at > kLongestColorText)
        return false;
    *AppendBytes(text, at, static_cast<int>(end - at)) = '\0';
    return ParseColorText(text, color);
}

// "--name: colour;", the semicolon optional.
bool ReadCustomProperty(const char *at, const char *end, ColorSample *color, const char **name,
                        const char **nameEnd)
{
    if (!StartsWith(at, end, "--"))
        return false;
    const char *colon = at + 2;
    while (colon < end && *colon != ':')
        ++colon;
    *name = at + 2;
    *nameEnd = TrimBlanks(*name, colon);
    const char *valueEnd = end[-1] == ';' ? end - 1 : end;
    return colon < valueEnd && *name < *nameEnd && ReadColorText(colon + 1, valueEnd, color);
}

bool IsPassOverLine(const char *at, const char *end)
{
    int length = static_cast<int>(end - at);
    bool comment = StartsWith(at, end, "/*") && length >= 4 && end[-2] == '*' && end[-1] == '/';
    return comment || IsCommentOrHeader(at, end) || StartsWith(at, end, "GIMP Palette") ||
           (StartsWith(at, end, ":root {") && length == 7) || (*at == '}' && length == 1);
}

bool AddPastedLine(Palette *palette, const char *at, const char *end)
{
    at = SkipBlanks(at, end);
    end = TrimBlanks(at, end);
    ColorSample color;
    const char *name = at;
    const char *nameEnd = at;
    if (!ReadColorLine(at, end, &color, &name, &nameEnd) &&
        !ReadCustomProperty(at, end, &color, &name, &nameEnd)) {
        if (!ReadColorText(at, end, &color))
            return IsPassOverLine(at, end);
        nameEnd = name;
    }
    return FindPaletteColor(*palette, color) >= 0 ||
           AddNamedColor(palette, color, name, static_cast<int>(nameEnd - name));
}

// ASCII letters (lower case), digits, "-" and "_"; each run of anything else
// one "-" between them; "color-N" when none is left.
int WriteCssIdentifier(const char *name, int length, int position, char *out)
{
    int written = 0;
    bool gap = false;
    for (int i = 0; i < length; ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
        bool kept = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!kept) {
            gap = true;
            continue;
        }
        if (gap && written > 0)
            out[written++] = '-';
        gap = false;
        out[written++] = c;
    }
    if (written == 0)
        written = static_cast<int>(AppendDecimal(AppendText(out, "color-"), position, 0) - out);
    return written;
}

// "  --identifier: ", the identifier unlike the earlier ones.
char *AppendCssName(char *out, const char *text, const Palette &palette, int index,
                    TextSpan (&written)[kMaxPaletteColors])
{
    const PaletteEntry &entry = palette.entries[index];
    out = AppendText(out, "  --");
    int length =
        WriteCssIdentifier(palette.text + entry.name.start, entry.name.length, index + 1, out);
    const TakenNames earlier = {text, written, static_cast<int>(sizeof(TextSpan)), index};
    length = MakeUnique(out, length, earlier);
    written[index].start = static_cast<int>(out - text);
    written[index].length = length;
    return AppendText(out + length, ": ");
}

} // namespace

void ReadPaletteText(Palette *palette)
{
    palette->count = 0;
    palette->fault = kPaletteWhole;
    palette->faultLine = 0;
    int length = palette->length;
    if (length > kMaxPaletteBytes) {
        palette->fault = kFaultTooBig;
        length = kMaxPaletteBytes;
    }
    const char *limit = palette->text + length;
    int lineNumber = 1;
    for (Line line = LineAt(palette->text, limit); line.start < limit;
         line = LineAt(line.next, limit), ++lineNumber) {
        PaletteFault fault = kFaultHeader;
        if (lineNumber > 1)
            fault = ReadPaletteLine(palette, line);
        else if (TrimBlanks(line.start, line.end) - line.start == 12 &&
                 StartsWith(line.start, line.end, "GIMP Palette"))
            continue;
        if (fault != kPaletteWhole && palette->fault == kPaletteWhole) {
            palette->fault = fault;
            palette->faultLine = lineNumber;
        }
        // Not a palette at all: nothing of it is shown.
        if (fault == kFaultHeader)
            return;
    }
}

int FindPaletteColor(const Palette &palette, const ColorSample &color)
{
    for (int i = 0; i < palette.count; ++i)
        if (IsSameColor(palette.entries[i].color, color))
            return i;
    return -1;
}

bool AddPaletteColor(Palette *palette, const ColorSample &color)
{
    return AddNamedColor(palette, color, 0, 0);
}

bool RemovePaletteColor(Palette *palette, const ColorSample &color)
{
    int index = FindPaletteColor(*palette, color);
    if (palette->fault != kPaletteWhole || index < 0)
        return false;
    const PaletteEntry &entry = palette->entries[index];
    int removed = entry.lineEnd - entry.lineStart;
    for (int i = entry.lineStart; i + removed < palette->length; ++i)
        palette->text[i] = palette->text[i + removed];
    palette->length -= removed;
    ReadPaletteText(palette);
    return true;
}

bool AddPastedColors(Palette *palette, const char *text, int length)
{
    if (length > kMaxPasteBytes || palette->fault != kPaletteWhole)
        return false;
    const int lengthBefore = palette->length;
    const char *limit = text + length;
    for (Line line = LineAt(text, limit); line.start < limit; line = LineAt(line.next, limit)) {
        if (!AddPastedLine(palette, line.start, line.end)) {
            // Every change was an append: cutting them off undoes them all.
            palette->length = lengthBefore;
            ReadPaletteText(palette);
            return false;
        }
    }
    return true;
}

int FormatPalette(const Palette &palette, int count, PaletteFormat format, char *out)
{
    char *start = out;
    // Where each identifier stands in the text written so far.
    TextSpan written[kMaxPaletteColors];
    count = count < palette.count ? count : palette.count;
    out = AppendText(out, kHeads[format]);
    for (int i = 0; i < count; ++i) {
        const PaletteEntry &entry = palette.entries[i];
        char code[kColorCodeSize];
        FormatColorCode(entry.color, code);
        if (format == kPaletteGpl) {
            out = AppendGimpLine(out, entry.color, palette.text + entry.name.start,
                                 entry.name.length);
        } else {
            if (format == kPaletteCss)
                out = AppendCssName(out, start, palette, i, written);
            // Paint.NET's is ARGB: "FF" for the alpha in place of the "#".
            if (format == kPalettePaintNet) {
                code[0] = 'F';
                *out++ = 'F';
            }
            out = AppendText(out, code);
            if (format == kPaletteCss)
                *out++ = ';';
        }
        out = AppendText(out, "\r\n");
    }
    if (format == kPaletteCss)
        out = AppendText(out, "}\r\n");
    return static_cast<int>(out - start);
}
