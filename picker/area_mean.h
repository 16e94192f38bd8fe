// The mean colour of a square of pixels, taken in linear light as the eye
// mixes fine detail. Platform-free, so it builds and is tested natively.
#pragma once

#include <stdint.h>

#include "picker/color_math.h"

// The sides of the square that may be averaged: 1 (one pixel) to 9.
const int kLargestAverageSide = 9;

// Builds the sRGB decoding table; call once before AverageInLinearLight.
// Computed rather than stored, to keep the exe small.
void PrepareLinearLight();

// The 8-bit sRGB value decoded to linear light, 0.0 to 1.0.
double DecodeSrgb(int value);

// The 8-bit sRGB value whose decoded value is nearest linear, the lower one
// on a tie: 0 below the range, 255 above it.
int32_t EncodeSrgb(double linear);

// The mean in linear light of the columns x rows pixels starting at first,
// rows stride pixels apart, as a 32-bit top-down DIB holds them (0x00RRGGBB:
// blue in the lowest byte). Each channel is encoded back to the 8-bit value
// whose decoded value is nearest the mean, the lower one on a tie. columns
// and rows are at least 1.
ColorSample AverageInLinearLight(const uint32_t *first, int stride, int columns, int rows);
