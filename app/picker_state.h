// The one process-wide record of the picker, grouped by the code that owns
// each part.
#pragma once

#include <windows.h>

#include "app/picker_window.h"
#include "picker/color_math.h"
#include "picker/dpi_awareness.h"
#include "picker/loupe.h"
#include "picker/swatch.h"

const int kTextBufferSize = 100;

struct PickerState {
    // Start-up (app/startup.cpp): who the picker is, and its one window
    HINSTANCE instance;
    char windowTitle[kTextBufferSize];
    char windowClassName[kTextBufferSize];
    HWND mainWindow;

    // The current colour: written by each sample, read by Drop and Ctrl+C
    ColorSample sample;

    PickerWindowState window;      // app/picker_window.cpp
    SwatchCanvas swatch;           // picker/swatch.cpp
    LoupeState loupe;              // picker/loupe.cpp
    PhysicalPixels physicalPixels; // picker/dpi_awareness.cpp
};

extern PickerState g_picker;

// The client area's size, for start-up and the position store.
const int kClientWidth = 134;
const int kClientHeight = 88;
