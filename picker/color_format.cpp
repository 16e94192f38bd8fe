#include "picker/color_format.h"

#include "picker/oklab.h"

namespace
{

char *AppendText(char *out, const char *text)
{
    while (*text != '\0')
        *out++ = *text++;
    return out;
}

char *AppendHex(char *out, uint32_t value, int digits)
{
    while (digits-- > 0)
        *out++ = "0123456789ABCDEF"[value >> 4 * digits & 0xF];
    return out;
}

char *AppendList(char *out, const ColorSample &color)
{
    out = AppendDecimal(out, color.red, 0);
    out = AppendText(out, ", ");
    out = AppendDecimal(out, color.green, 0);
    out = AppendText(out, ", ");
    return AppendDecimal(out, color.blue, 0);
}

// In whole numbers throughout, so no rounding hangs on floating-point noise.
char *AppendHsl(char *out, const ColorSample &color)
{
    int largest = color.red > color.green ? color.red : color.green;
    largest = largest > color.blue ? largest : color.blue;
    int smallest = color.red < color.green ? color.red : color.green;
    smallest = smallest < color.blue ? smallest : color.blue;
    int chroma = largest - smallest;
    int sum = largest + smallest;
    int hue = 0;
    int saturation = 0;
    if (chroma > 0) {
        // The hue in sixths of a turn, times chroma.
        int sixths;
        if (largest == color.red)
            sixths = color.green - color.blue + (color.green < color.blue ? 6 * chroma : 0);
        else if (largest == color.green)
            sixths = color.blue - color.red + 2 * chroma;
        else
            sixths = color.red - color.green + 4 * chroma;
        hue = (120 * sixths + chroma) / (2 * chroma) % 360;
        int spread = sum > 255 ? 510 - sum : sum;
        saturation = (200 * chroma + spread) / (2 * spread);
    }
    out = AppendText(out, "hsl(");
    out = AppendDecimal(out, hue, 0);
    out = AppendText(out, ", ");
    out = AppendDecimal(out, saturation, 0);
    out = AppendText(out, "%, ");
    out = AppendDecimal(out, (100 * sum + 255) / 510, 0);
    return AppendText(out, "%)");
}

char *AppendOklch(char *out, const ColorSample &color)
{
    const OklchColor lch = OklchOf(OklabOf(color));
    int chroma = RoundHalfUp(lch.chroma * 1000.0);
    out = AppendText(out, "oklch(");
    out = AppendDecimal(out, RoundHalfUp(lch.lightness * 1000.0), 1);
    out = AppendText(out, "% ");
    out = AppendDecimal(out, chroma, 3);
    *out++ = ' ';
    // A hue means nothing without chroma.
    if (chroma == 0)
        *out++ = '0';
    else
        out = AppendDecimal(out, RoundHalfUp(lch.hue * 10.0) % 3600, 1);
    *out++ = ')';
    return out;
}

} // namespace

char *AppendDecimal(char *out, int value, int decimals)
{
    char reversed[12];
    int count = 0;
    for (int place = 0; place <= decimals || value != 0; ++place) {
        if (place == decimals && place > 0)
            reversed[count++] = '.';
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

int RoundHalfUp(double value)
{
    return static_cast<int>(value + 0.5);
}

int FormatColor(CopyFormat format, const ColorSample &sample, char (&text)[kFormattedColorSize])
{
    ColorSample color;
    color.red = sample.red & 0xFF;
    color.green = sample.green & 0xFF;
    color.blue = sample.blue & 0xFF;
    char *out = text;
    switch (format) {
    default:
    case kFormatHex:
        *out++ = '#';
        [[fallthrough]];
    case kFormatBare:
        out = AppendHex(out, static_cast<uint32_t>(color.red << 16 | color.green << 8 | color.blue),
                        6);
        break;
    case kFormatRgb:
        out = AppendText(out, "rgb(");
        out = AppendList(out, color);
        *out++ = ')';
        break;
    case kFormatList:
        out = AppendList(out, color);
        break;
    case kFormatHsl:
        out = AppendHsl(out, color);
        break;
    case kFormatColorref:
        out = AppendText(out, "0x");
        out = AppendHex(out, PixelValueOf(color), 8);
        break;
    case kFormatOklch:
        out = AppendOklch(out, color);
        break;
    }
    *out = '\0';
    return static_cast<int>(out - text);
}
