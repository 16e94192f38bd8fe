#include "picker/color_math.h"

namespace
{

int AbsoluteDifference(int32_t reference, int32_t component)
{
    return component > reference ? component - reference : reference - component;
}

// Writes digits of value in the given radix, right-aligned in width columns
// with blanks, as printf's %<width>d (signed) or %<width>x (unsigned) do.
// Never writes past end; returns the new write position.
char *AppendPadded(char *out, const char *end, uint32_t magnitude, bool negative, unsigned radix,
                   int width)
{
    char digits[12];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[magnitude % radix];
        magnitude /= radix;
    } while (magnitude != 0);
    if (negative)
        digits[count++] = '-';
    for (int pad = width - count; pad > 0 && out < end; --pad)
        *out++ = ' ';
    while (count > 0 && out < end)
        *out++ = digits[--count];
    return out;
}

char *AppendDecimal(char *out, const char *end, int32_t value, int width)
{
    bool negative = value < 0;
    uint32_t magnitude =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return AppendPadded(out, end, magnitude, negative, 10, width);
}

char *AppendHex(char *out, const char *end, int32_t value, int width)
{
    return AppendPadded(out, end, static_cast<uint32_t>(value), false, 16, width);
}

char *AppendBlanks(char *out, const char *end, int count)
{
    while (count-- > 0 && out < end)
        *out++ = ' ';
    return out;
}

char *AppendHexByte(char *out, int32_t component)
{
    const char digits[] = "0123456789ABCDEF";
    *out++ = digits[(component >> 4) & 0xF];
    *out++ = digits[component & 0xF];
    return out;
}

int Terminate(char *start, char *out, const char *end)
{
    if (out >= end)
        out = const_cast<char *>(end) - 1;
    *out = '\0';
    return static_cast<int>(out - start);
}

} // namespace

ColorSample SplitPixelValue(uint32_t pixelValue)
{
    ColorSample sample;
    sample.red = static_cast<int32_t>(pixelValue & 0xFF);
    sample.green = static_cast<int32_t>((pixelValue >> 8) & 0xFF);
    sample.blue = static_cast<int32_t>((pixelValue >> 16) & 0xFF);
    return sample;
}

uint32_t PixelValueOf(const ColorSample &sample)
{
    return static_cast<uint32_t>(sample.red & 0xFF) |
           static_cast<uint32_t>(sample.green & 0xFF) << 8 |
           static_cast<uint32_t>(sample.blue & 0xFF) << 16;
}

uint32_t InkColorOf(const ColorSample &sample)
{
    ColorSample ink;
    ink.red = AbsoluteDifference(127, sample.red);
    ink.green = AbsoluteDifference(255, sample.green);
    ink.blue = AbsoluteDifference(64, sample.blue);
    return PixelValueOf(ink);
}

bool IsLightColor(const ColorSample &sample)
{
    return 299 * sample.red + 587 * sample.green + 114 * sample.blue >= 128000;
}

int FormatDecimalLine(const ColorSample &sample, char (&line)[kReadoutBufferSize])
{
    char *end = line + kReadoutBufferSize;
    char *out = AppendDecimal(line, end, sample.red, 3);
    out = AppendBlanks(out, end, 2);
    out = AppendDecimal(out, end, sample.green, 3);
    out = AppendBlanks(out, end, 2);
    out = AppendDecimal(out, end, sample.blue, 3);
    return Terminate(line, out, end);
}

int FormatHexLine(const ColorSample &sample, char (&line)[kReadoutBufferSize])
{
    char *end = line + kReadoutBufferSize;
    char *out = AppendBlanks(line, end, 1);
    out = AppendHex(out, end, sample.red, 2);
    out = AppendBlanks(out, end, 3);
    out = AppendHex(out, end, sample.green, 2);
    out = AppendBlanks(out, end, 3);
    out = AppendHex(out, end, sample.blue, 2);
    return Terminate(line, out, end);
}

int FormatComponentText(int32_t component, char (&text)[kComponentTextSize])
{
    char *end = text + kComponentTextSize;
    return Terminate(text, AppendDecimal(text, end, component, 0), end);
}

int FormatColorCode(const ColorSample &sample, char (&code)[kColorCodeSize])
{
    char *out = code;
    *out++ = '#';
    out = AppendHexByte(out, sample.red);
    out = AppendHexByte(out, sample.green);
    out = AppendHexByte(out, sample.blue);
    *out = '\0';
    return static_cast<int>(out - code);
}

ColorSample ColorOfRgb(uint32_t rgb)
{
    ColorSample color;
    color.red = static_cast<int32_t>(rgb >> 16 & 0xFF);
    color.green = static_cast<int32_t>(rgb >> 8 & 0xFF);
    color.blue = static_cast<int32_t>(rgb & 0xFF);
    return color;
}

bool IsSameColor(const ColorSample &a, const ColorSample &b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
