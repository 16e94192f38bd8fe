// The swatch: the current sample as a filled 122 x 42 picture with its
// readout, kept off screen and copied to the picker window when it paints.
#pragma once

#include <windows.h>

#include "picker/color_math.h"

const int kSwatchLeft = 6;
const int kSwatchTop = 6;
const int kCanvasWidth = 122;
const int kCanvasHeight = 42;

// Makes the canvas, plain white, for the picker window; lives until
// DeleteSwatchCanvas.
void CreateSwatchCanvas();
void DeleteSwatchCanvas();

// Draws the sample with its readout, or the blank swatch, and asks the
// picker window to repaint.
void ShowSampleInSwatch(HWND pickerWindow, const ColorSample &sample);
void ShowBlankSwatch(HWND pickerWindow);

// Plain white, as before the first sample: no readout yet.
bool IsSwatchBlank();

// Copies the canvas to its place in the picker window's client area.
void PaintSwatch(HDC target);
// The canvas itself, NULL while there is none.
HDC SwatchCanvasDC();
