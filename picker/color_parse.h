// A colour given as text, as a clipboard brings it. Platform-free, no C
// runtime.
#pragma once

#include "picker/color_math.h"

// The longest text taken, in bytes, white space included.
const int kLongestColorText = 100;

// The colour a whole text gives, in any letter case, ASCII white space
// (space, tab, CR, LF, VT, FF) before and after it ignored:
//   #RRGGBB, RRGGBB, #RGB; #RRGGBBAA and #RGBA, the alpha ignored
//   rgb(10, 200, 64), rgb(10 200 64), rgba(10, 200, 64, 0.5), rgb(10 200 64 / 50%)
//   10, 200, 64 and 10,200,64
//   hsl(137, 90%, 41%), hsl(137deg 90% 41%), hsla(137, 90%, 41%, 1)
//   0x0040C80A, a COLORREF: 0x00BBGGRR
//   oklch(72.5% 0.222 145.7), oklch(0.725 0.222 145.7deg / 0.5)
//   the 148 CSS names (rebeccapurple, darkslategrey), not transparent
// At the edges:
//   - A number is decimal, with an optional sign and point ("64", "+64", "41.5", ".5"),
//     no exponent, of at most 1e9; its unit, "%" or "deg", follows with no space.
//   - Inside the brackets the values are separated by commas throughout, or by white
//     space throughout with "/" before an alpha, as CSS writes them; white space is
//     free around commas, brackets and "/", and nowhere else: none between a
//     function's name and its bracket. rgba() and hsla() are rgb() and hsl() by
//     another name: both take three values or four. oklch() has no comma form.
//   - An alpha, the fourth value, may be any number or percentage; it is ignored.
//   - rgb() and the list: each value 0 to 255 or 0% to 100% (of 255), mixed freely,
//     rounded half up (50% is 127.5, so 128). The list is three values and commas.
//   - hsl(): the hue in degrees, "deg" or not, any value, taken round the circle
//     (-120 is 240, 480 is 120); saturation and lightness 0% to 100%, "%" required;
//     each channel rounded half up from CSS's conversion.
//   - oklch(): lightness 0 to 1 or 0% to 100%; chroma 0 or more, 100% being 0.4; hue as
//     hsl's. A colour outside sRGB is brought in as CSS Color 4 maps gamut: lightness
//     and hue kept, chroma lowered by binary search until clipping moves it less than
//     deltaEOK 0.02 (lightness 1 and above is white, 0 black). Each channel is then the
//     8-bit value nearest in linear light.
//   - Nothing out of range is clamped: rgb(300, 0, 0) and hsl(0, 120%, 50%) are refused,
//     as are text around a code, a COLORREF whose top byte is not 00 and a name CSS
//     does not know.
// True and *color set for a colour; false, *color untouched, for anything else,
// and for text of more than kLongestColorText bytes.
bool ParseColorText(const char *text, ColorSample *color);
