// Reading the screen under the hot spot, in physical pixels: one pixel, or
// the mean of the square around it.
#pragma once

#include <windows.h>

#include "picker/color_math.h"

// The square read around the hot spot: what the loupe shows, and the largest
// area that can be averaged.
const int kScreenSquareSize = 11;

// Makes and frees the memory the square is read into; call once each.
void CreateScreenSquare();
void DeleteScreenSquare();

// The colour at the hot spot: the pixel itself when side is 1, otherwise the
// mean in linear light of the side x side pixels centred on it, leaving out
// those beyond the virtual screen.
ColorSample SampleScreenAt(POINT hotSpot, int side);

// The virtual screen in physical pixels, right and bottom exclusive, as
// last asked (at most a second ago).
RECT VirtualScreen();

// While a still is shown every read comes from its copy of the virtual
// screen, whose top-left is origin; NULL reads the screen itself again.
void ReadFromCopy(HDC copy, POINT origin);

// The square around the hot spot, one pixel per pixel. Read from the screen
// now unless the last SampleScreenAt already read it there.
HDC ScreenSquareAround(POINT hotSpot);
