#include "picker/color_parse.h"

#include "picker/area_mean.h"
#include "picker/color_format.h"
#include "picker/color_names.h"
#include "picker/oklab.h"

namespace
{

const double kLargestNumber = 1e9;
// CSS Color 4's gamut mapping: a just noticeable difference in OKLab, and how
// finely chroma is searched.
const double kJnd = 0.02;
const double kChromaEpsilon = 0.0001;

struct Number {
    double value;
    char unit; // 0, '%', or 'd' for degrees
};

enum ColorFunction { kRgb, kHsl, kOklch, kList };

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char *SkipSpaces(const char *text)
{
    while (IsSpace(*text))
        ++text;
    return text;
}

// The text after word, which it starts with, or null.
const char *SkipWord(const char *text, const char *word)
{
    while (*word != '\0') {
        if (*text++ != *word++)
            return nullptr;
    }
    return text;
}

// The rest of text as hex digits after '#' (form '#'), "0x" (form 'x') or nothing.
bool ParseHexCode(const char *text, char form, ColorSample *color)
{
    uint32_t value = 0;
    int count = 0;
    for (; *text != '\0'; ++text, ++count) {
        int digit = HexDigitValue(*text);
        if (digit < 0 || count == 8)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    if (form == 'x') {
        if (count != 8 || value >> 24 != 0)
            return false;
        *color = SplitPixelValue(value);
        return true;
    }
    if (form == '#' && (count == 4 || count == 8)) {
        // The alpha: the last digit of four, the last two of eight.
        value >>= count;
        count -= count / 4;
    }
    if (form == '#' && count == 3)
        value = (value >> 8) * 0x110000 + (value >> 4 & 0xF) * 0x1100 + (value & 0xF) * 0x11;
    else if (count != 6)
        return false;
    *color = ColorOfRgb(value);
    return true;
}

// A number and its unit at text; the text after it, or null.
const char *ReadNumber(const char *text, Number *number)
{
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    double value = 0.0;
    double scale = 1.0;
    bool point = false;
    bool digits = false;
    for (;; ++text) {
        if (*text >= '0' && *text <= '9') {
            value = value * 10.0 + (*text - '0');
            scale *= point ? 10.0 : 1.0;
            digits = true;
        } else if (*text == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    value /= scale;
    if (!digits || value > kLargestNumber)
        return nullptr;
    number->value = negative ? -value : value;
    number->unit = 0;
    if (*text == '%') {
        number->unit = '%';
        ++text;
    } else if (const char *after = SkipWord(text, "deg")) {
        number->unit = 'd';
        text = after;
    }
    return text;
}

// Three or four values up to close (')', or the end for the list); degrees
// only at hue, percentages anywhere else. The count, or 0.
int ReadValues(const char *text, char close, int hue, Number (&values)[4], bool *commas)
{
    *commas = false;
    for (int count = 0;;) {
        Number &value = values[count];
        text = ReadNumber(SkipSpaces(text), &value);
        if (text == nullptr || value.unit == (count == hue ? '%' : 'd'))
            return 0;
        ++count;
        const char *before = text;
        text = SkipSpaces(text);
        if (*text == close)
            return count >= 3 && (close == '\0' || text[1] == '\0') ? count : 0;
        if (count == 4)
            return 0;
        if (count == 1)
            *commas = *text == ',';
        if (*commas || count == 3) {
            if (*text != (*commas ? ',' : '/'))
                return 0;
            ++text;
        } else if (text == before) {
            return 0;
        }
    }
}

double TurnedIntoCircle(double degrees)
{
    degrees -= 360.0 * static_cast<int>(degrees / 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// An rgb() value, 0 to 255 or 0% to 100%.
bool ReadChannel(const Number &number, int32_t *channel)
{
    double value = number.unit == '%' ? number.value * 255.0 / 100.0 : number.value;
    if (!(value >= 0.0 && value <= 255.0))
        return false;
    *channel = RoundHalfUp(value);
    return true;
}

// CSS Color 4's conversion, for one channel: offset 0 red, 8 green, 4 blue.
int32_t HslChannel(int offset, double hue, double saturation, double lightness)
{
    double k = offset + hue / 30.0;
    if (k >= 12.0)
        k -= 12.0;
    double step = k - 3.0 < 9.0 - k ? k - 3.0 : 9.0 - k;
    step = step < 1.0 ? step : 1.0;
    step = step > -1.0 ? step : -1.0;
    double spread = saturation * (lightness < 1.0 - lightness ? lightness : 1.0 - lightness);
    return RoundHalfUp((lightness - spread * step) * 255.0);
}

bool HslToColor(const Number (&values)[4], ColorSample *color)
{
    double saturation = values[1].value / 100.0;
    double lightness = values[2].value / 100.0;
    if (values[1].unit != '%' || values[2].unit != '%' || !(saturation >= 0.0) ||
        !(saturation <= 1.0) || !(lightness >= 0.0) || !(lightness <= 1.0))
        return false;
    double hue = TurnedIntoCircle(values[0].value);
    color->red = HslChannel(0, hue, saturation, lightness);
    color->green = HslChannel(8, hue, saturation, lightness);
    color->blue = HslChannel(4, hue, saturation, lightness);
    return true;
}

bool IsInGamut(const double (&linear)[3])
{
    for (double channel : linear) {
        if (!(channel >= 0.0 && channel <= 1.0))
            return false;
    }
    return true;
}

void Clip(const double (&linear)[3], double (&clipped)[3])
{
    for (int channel = 0; channel < 3; ++channel) {
        double value = linear[channel] > 0.0 ? linear[channel] : 0.0;
        clipped[channel] = value < 1.0 ? value : 1.0;
    }
}

// The clipped colour's distance from current, squared.
double ClippingDistance(const OklabColor &current, double (&clipped)[3])
{
    double linear[3];
    LinearOfOklab(current, linear);
    Clip(linear, clipped);
    return SquaredOklabDistance(OklabOfLinear(clipped), current);
}

// CSS Color 4's gamut mapping to sRGB, in linear light; lightness 0 to 1.
void MapIntoGamut(OklchColor lch, double (&clipped)[3])
{
    if (lch.lightness >= 1.0 || lch.lightness <= 0.0) {
        for (double &channel : clipped)
            channel = lch.lightness >= 1.0 ? 1.0 : 0.0;
        return;
    }
    double linear[3];
    LinearOfOklab(OklabOfOklch(lch), linear);
    if (IsInGamut(linear)) {
        Clip(linear, clipped);
        return;
    }
    if (ClippingDistance(OklabOfOklch(lch), clipped) < kJnd * kJnd)
        return;
    double low = 0.0;
    double high = lch.chroma;
    bool lowInGamut = true;
    while (high - low > kChromaEpsilon) {
        lch.chroma = (low + high) / 2.0;
        const OklabColor current = OklabOfOklch(lch);
        LinearOfOklab(current, linear);
        if (lowInGamut && IsInGamut(linear)) {
            low = lch.chroma;
            continue;
        }
        double distance = ClippingDistance(current, clipped);
        if (distance < kJnd * kJnd) {
            if (distance > (kJnd - kChromaEpsilon) * (kJnd - kChromaEpsilon))
                return;
            lowInGamut = false;
            low = lch.chroma;
        } else {
            high = lch.chroma;
        }
    }
}

bool OklchToColor(const Number (&values)[4], bool commas, ColorSample *color)
{
    double lightness = values[0].value / (values[0].unit == '%' ? 100.0 : 1.0);
    double chroma = values[1].value * (values[1].unit == '%' ? 0.004 : 1.0);
    if (commas || !(lightness >= 0.0) || !(lightness <= 1.0) || !(chroma >= 0.0))
        return false;
    double linear[3];
    MapIntoGamut({lightness, chroma, TurnedIntoCircle(values[2].value)}, linear);
    color->red = EncodeSrgb(linear[0]);
    color->green = EncodeSrgb(linear[1]);
    color->blue = EncodeSrgb(linear[2]);
    return true;
}

// rgb(), hsl(), oklch() or the bare list.
bool ParseValues(const char *text, ColorSample *color)
{
    ColorFunction function = kList;
    const char *after;
    if ((after = SkipWord(text, "rgb")) != nullptr)
        function = kRgb;
    else if ((after = SkipWord(text, "hsl")) != nullptr)
        function = kHsl;
    else if ((after = SkipWord(text, "oklch")) != nullptr)
        function = kOklch;
    if (function != kList) {
        if (function != kOklch && *after == 'a')
            ++after;
        if (*after++ != '(')
            return false;
        text = after;
    }
    Number values[4];
    bool commas;
    int hue = function == kHsl ? 0 : function == kOklch ? 2 : -1;
    int count = ReadValues(text, function == kList ? '\0' : ')', hue, values, &commas);
    if (count == 0)
        return false;
    if (function == kHsl)
        return HslToColor(values, color);
    if (function == kOklch)
        return OklchToColor(values, commas, color);
    if (function == kList && (count != 3 || !commas))
        return false;
    return ReadChannel(values[0], &color->red) && ReadChannel(values[1], &color->green) &&
           ReadChannel(values[2], &color->blue);
}

bool ParseTrimmed(const char *text, int length, ColorSample *color)
{
    if (text[0] == '#')
        return ParseHexCode(text + 1, '#', color);
    if (text[0] == '0' && text[1] == 'x')
        return ParseHexCode(text + 2, 'x', color);
    return ParseHexCode(text, 0, color) || ParseValues(text, color) ||
           LookUpColorName(text, length, color);
}

} // namespace

bool ParseColorText(const char *text, ColorSample *color)
{
    char lower[kLongestColorText + 1];
    int length = 0;
    for (; text[length] != '\0'; ++length) {
        if (length == kLongestColorText)
            return false;
        char c = text[length];
        lower[length] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    while (length > 0 && IsSpace(lower[length - 1]))
        --length;
    lower[length] = '\0';
    const char *start = SkipSpaces(lower);
    ColorSample parsed;
    if (!ParseTrimmed(start, length - static_cast<int>(start - lower), &parsed))
        return false;
    *color = parsed;
    return true;
}
