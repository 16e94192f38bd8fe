#include "picker/color_format.h"

#include "picker/area_mean.h"

namespace
{

const double kDegreesPerRadian = 57.29577951308232;

// Bjorn Ottosson's OKLab: linear sRGB to cone responses, and their cube
// roots to lightness and the two opponent axes.
const double kLinearToCone[9] = {
    0.4122214708, 0.5363325363, 0.0514459929, //
    0.2119034982, 0.6806995451, 0.1073969566, //
    0.0883024619, 0.2817188376, 0.6299787005,
};
const double kConeToLab[9] = {
    0.2104542553, 0.7936177850,  -0.0040720468, //
    1.9779984951, -2.4285922050, 0.4505937099,  //
    0.0259040371, 0.7827717662,  -0.8086757660,
};

void Transform(const double (&matrix)[9], const double (&in)[3], double (&out)[3])
{
    for (int row = 0; row < 3; ++row)
        out[row] =
            matrix[3 * row] * in[0] + matrix[3 * row + 1] * in[1] + matrix[3 * row + 2] * in[2];
}

// The degree-th root of value > 0 by Newton's method: started above the root,
// every step descends, until rounding stops it.
double Root(double value, int degree)
{
    double root = value > 1.0 ? value : 1.0;
    for (;;) {
        double power = 1.0;
        for (int factor = 1; factor < degree; ++factor)
            power *= root;
        double next = ((degree - 1) * root + value / power) / degree;
        if (!(next < root))
            return root;
        root = next;
    }
}

double SquareRoot(double value)
{
    return value > 0.0 ? Root(value, 2) : 0.0;
}

// For value >= -0.5 only, which is all a colour needs.
int RoundHalfUp(double value)
{
    return static_cast<int>(value + 0.5);
}

char *AppendText(char *out, const char *text)
{
    while (*text != '\0')
        *out++ = *text++;
    return out;
}

// value >= 0 with a point before its last `decimals` digits: 725, 1 -> 72.5.
char *AppendNumber(char *out, int value, int decimals)
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

char *AppendHex(char *out, uint32_t value, int digits)
{
    while (digits-- > 0)
        *out++ = "0123456789ABCDEF"[value >> 4 * digits & 0xF];
    return out;
}

char *AppendList(char *out, const ColorSample &color)
{
    out = AppendNumber(out, color.red, 0);
    out = AppendText(out, ", ");
    out = AppendNumber(out, color.green, 0);
    out = AppendText(out, ", ");
    return AppendNumber(out, color.blue, 0);
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
    out = AppendNumber(out, hue, 0);
    out = AppendText(out, ", ");
    out = AppendNumber(out, saturation, 0);
    out = AppendText(out, "%, ");
    out = AppendNumber(out, (100 * sum + 255) / 510, 0);
    return AppendText(out, "%)");
}

char *AppendOklch(char *out, const ColorSample &color)
{
    const double linear[3] = {DecodeSrgb(color.red), DecodeSrgb(color.green),
                              DecodeSrgb(color.blue)};
    double cone[3];
    Transform(kLinearToCone, linear, cone);
    for (double &response : cone)
        response = CubeRoot(response);
    double lab[3];
    Transform(kConeToLab, cone, lab);
    int chroma = RoundHalfUp(SquareRoot(lab[1] * lab[1] + lab[2] * lab[2]) * 1000.0);
    out = AppendText(out, "oklch(");
    out = AppendNumber(out, RoundHalfUp(lab[0] * 1000.0), 1);
    out = AppendText(out, "% ");
    out = AppendNumber(out, chroma, 3);
    *out++ = ' ';
    // A hue means nothing without chroma.
    if (chroma == 0)
        *out++ = '0';
    else
        out = AppendNumber(out, RoundHalfUp(Atan2Degrees(lab[2], lab[1]) * 10.0) % 3600, 1);
    *out++ = ')';
    return out;
}

} // namespace

double CubeRoot(double value)
{
    if (value < 0.0)
        return -Root(-value, 3);
    return value > 0.0 ? Root(value, 3) : 0.0;
}

double Atan2Degrees(double y, double x)
{
    double degrees = 0.0;
    // Turned half round, x + |(x, y)| below cannot cancel.
    if (x < 0.0) {
        x = -x;
        y = -y;
        degrees = 180.0;
    }
    if (y == 0.0)
        return degrees;
    // Scaled to at most 1, the squares below neither overflow nor vanish.
    double largest = y < 0.0 ? -y : y;
    largest = largest > x ? largest : x;
    x /= largest;
    y /= largest;
    // Each step halves the angle, from within 90 degrees of 0 to within 11.25, where the
    // arctangent's series is short.
    for (int halving = 0; halving < 3; ++halving)
        x += SquareRoot(x * x + y * y);
    double ratio = y / x;
    double series = 0.0;
    for (int odd = 21; odd > 0; odd -= 2)
        series = 1.0 / odd - ratio * ratio * series;
    degrees += 8.0 * kDegreesPerRadian * ratio * series;
    if (degrees < 0.0)
        degrees += 360.0;
    // Just below a full turn may round up to it.
    return degrees < 360.0 ? degrees : 0.0;
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
