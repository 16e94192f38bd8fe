#pragma once

#include <windows.h>

// Reads the screen pixel at (x, y) in physical pixels, keeps it as the
// current sample and shows it in the picker window's swatch.
void SampleScreenColor(HWND pickerWindow, int x, int y);
