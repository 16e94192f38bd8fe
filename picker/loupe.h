// The loupe: while a drag is in progress, a window of its own beside the
// pointer shows the 11 x 11 screen pixels around the hot spot, each as an
// 8 x 8 block, with a ring around the pixels being sampled.
#pragma once

#include <windows.h>

#include "picker/color_math.h"

// Creates the loupe hidden, owned by the picker window. Call once the picker
// is topmost: a topmost window it owns made before then leaves it behind.
// ShowLoupeAt calls it when there is no loupe yet.
void CreateLoupe(HWND pickerWindow);
// Moves the loupe beside the hot spot (physical pixels) and shows the square
// around it, ringing the side x side blocks that were sampled: black around
// a light sample, white around a dark one. Hides it where no place fits.
// The first call makes the loupe, so that start-up need not.
void ShowLoupeAt(HWND pickerWindow, POINT hotSpot, int side, const ColorSample &sample);
void HideLoupe();
void DestroyLoupe();
// The loupe's window, NULL before it is made and after it is destroyed.
HWND LoupeWindow();
