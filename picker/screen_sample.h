#pragma once

#include <windows.h>

// Reads the screen pixel at (x, y), keeps it as the current sample, redraws
// the swatch canvas and asks the picker window to repaint.
void SampleScreenColor(HWND pickerWindow, int x, int y);
