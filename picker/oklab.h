// Bjorn Ottosson's OKLab, its polar form OKLCh, and the little arithmetic
// they need. Platform-free, and no C runtime: the exe links none.
#pragma once

#include "picker/color_math.h"

struct OklabColor {
    double lightness; // 0 black to 1 white
    double a;         // green to red
    double b;         // blue to yellow
};

struct OklchColor {
    double lightness;
    double chroma;
    double hue; // degrees, 0 up to but not including 360
};

// Linear-light sRGB, 0 to 1 within the gamut, to OKLab and back.
OklabColor OklabOfLinear(const double (&linear)[3]);
void LinearOfOklab(const OklabColor &lab, double (&linear)[3]);

// An 8-bit sRGB colour (components 0..255) in OKLab.
OklabColor OklabOf(const ColorSample &color);

OklchColor OklchOf(const OklabColor &lab);
OklabColor OklabOfOklch(const OklchColor &lch);

// The square of the Euclidean distance, deltaEOK squared.
double SquaredOklabDistance(const OklabColor &one, const OklabColor &other);

// 0 for value <= 0.
double SquareRoot(double value);
double CubeRoot(double value);
// Degrees, 0 up to but not including 360; 0 when both are 0.
double Atan2Degrees(double y, double x);
// Of an angle of fewer than 2^31 turns.
void CosineAndSine(double degrees, double *cosine, double *sine);
