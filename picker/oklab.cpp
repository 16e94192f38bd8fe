#include "picker/oklab.h"

#include "picker/area_mean.h"

namespace
{

const double kDegreesPerRadian = 57.29577951308232;

// Linear sRGB to cone responses, and their cube roots to lightness and the
// two opponent axes.
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
// The way back, as Ottosson publishes it. Single precision is ample for a
// result rounded to 8 bits, and halves the table.
const float kLabToCone[9] = {
    1.0f, 0.3963377774f,  0.2158037573f,  //
    1.0f, -0.1055613458f, -0.0638541728f, //
    1.0f, -0.0894841775f, -1.2914855480f,
};
const float kConeToLinear[9] = {
    4.0767416621f,  -3.3077115913f, 0.2309699292f,  //
    -1.2684380046f, 2.6097574011f,  -0.3413193965f, //
    -0.0041960863f, -0.7034186147f, 1.7076147010f,
};

template <typename Number>
void Transform(const Number (&matrix)[9], const double (&in)[3], double (&out)[3])
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

} // namespace

OklabColor OklabOfLinear(const double (&linear)[3])
{
    double cone[3];
    Transform(kLinearToCone, linear, cone);
    for (double &response : cone)
        response = CubeRoot(response);
    double lab[3];
    Transform(kConeToLab, cone, lab);
    return OklabColor{lab[0], lab[1], lab[2]};
}

void LinearOfOklab(const OklabColor &lab, double (&linear)[3])
{
    const double in[3] = {lab.lightness, lab.a, lab.b};
    double cone[3];
    Transform(kLabToCone, in, cone);
    for (double &response : cone)
        response = response * response * response;
    Transform(kConeToLinear, cone, linear);
}

OklabColor OklabOf(const ColorSample &color)
{
    const double linear[3] = {DecodeSrgb(color.red), DecodeSrgb(color.green),
                              DecodeSrgb(color.blue)};
    return OklabOfLinear(linear);
}

OklchColor OklchOf(const OklabColor &lab)
{
    return OklchColor{lab.lightness, SquareRoot(lab.a * lab.a + lab.b * lab.b),
                      Atan2Degrees(lab.b, lab.a)};
}

OklabColor OklabOfOklch(const OklchColor &lch)
{
    double cosine;
    double sine;
    CosineAndSine(lch.hue, &cosine, &sine);
    return OklabColor{lch.lightness, lch.chroma * cosine, lch.chroma * sine};
}

double SquaredOklabDistance(const OklabColor &one, const OklabColor &other)
{
    double lightness = one.lightness - other.lightness;
    double a = one.a - other.a;
    double b = one.b - other.b;
    return lightness * lightness + a * a + b * b;
}

double SquareRoot(double value)
{
    return value > 0.0 ? Root(value, 2) : 0.0;
}

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

void CosineAndSine(double degrees, double *cosine, double *sine)
{
    // Within half a turn of 0, where 30 terms of the series for e^(ix) are exact
    // to the last bit.
    degrees -= 360.0 * static_cast<int>(degrees / 360.0);
    if (degrees > 180.0)
        degrees -= 360.0;
    else if (degrees < -180.0)
        degrees += 360.0;
    double x = degrees / kDegreesPerRadian;
    double real = 1.0;
    double imaginary = 0.0;
    *cosine = 0.0;
    *sine = 0.0;
    for (int power = 1; power <= 30; ++power) {
        *cosine += real;
        *sine += imaginary;
        double step = x / power;
        double next = -imaginary * step;
        imaginary = real * step;
        real = next;
    }
}
