#include "picker/contrast.h"

#include "picker/area_mean.h"
#include "picker/color_format.h"

namespace
{

// 20 times the relative luminance plus 0.05: black is exactly 1 and white
// exactly 21, as the three weights add up to exactly 1 in doubles.
double ScaledLuminance(const ColorSample &color)
{
    double luminance = 0.2126 * DecodeSrgb(color.red) + 0.7152 * DecodeSrgb(color.green) +
                       0.0722 * DecodeSrgb(color.blue);
    return 20.0 * luminance + 1.0;
}

} // namespace

int ContrastHundredths(const ColorSample &one, const ColorSample &other)
{
    double lighter = ScaledLuminance(one);
    double darker = ScaledLuminance(other);
    if (lighter < darker) {
        double swapped = lighter;
        lighter = darker;
        darker = swapped;
    }
    // The quotient first: equal luminances give exactly 1, and so 100.
    return static_cast<int>(100.0 * (lighter / darker));
}

ContrastVerdict ContrastVerdictOf(int hundredths)
{
    if (hundredths >= 700)
        return kContrastAaa;
    if (hundredths >= 450)
        return kContrastAa;
    return hundredths >= 300 ? kContrastAaLarge : kContrastFail;
}

int FormatContrastRatio(int hundredths, char (&text)[kContrastTextSize])
{
    char *out = AppendDecimal(text, hundredths, 2);
    *out++ = ':';
    *out++ = '1';
    *out = '\0';
    return static_cast<int>(out - text);
}
