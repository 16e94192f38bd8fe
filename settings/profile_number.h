// Platform-free reading of a stored coordinate: no windows.h here.
#pragma once

#include <stdint.h>

// What the profile read yields for a key that is absent.
inline constexpr char kAbsentProfileValue[] = "(none)";

// The C library's atol on a 32-bit platform: leading white space (tab, line
// feed, vertical tab, form feed, carriage return, blank), one optional sign,
// decimal digits up to the first other character, no digits giving 0; the
// digits wrap modulo 2^32, the result is read as signed, then negated for "-".
int32_t ParseProfileNumber(const char *text);

// Whether text is exactly the absent marker, byte for byte.
bool IsAbsentProfileValue(const char *text);

// Whether a stored coordinate keeps the window reachable on a screen of that
// extent: 0 up to, but not including, the extent.
bool IsUsableCoordinate(int32_t value, int32_t screenExtent);

// The coordinate that centres a window of that client extent and frame.
int32_t CentredCoordinate(int32_t screenExtent, int32_t frameExtra, int32_t clientExtent);

// The coordinate to place the window at, from the text the profile read gave:
// the stored number when usable, otherwise centred.
int32_t ResolveStoredCoordinate(const char *text, int32_t screenExtent, int32_t centred);
