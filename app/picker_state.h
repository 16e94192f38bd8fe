// The one process-wide record of the picker.
#pragma once

#include <windows.h>

#include "picker/color_math.h"

const int kTextBufferSize = 100;

typedef HANDLE(WINAPI *SetThreadDpiAwarenessContextFunction)(HANDLE context);

struct PickerState {
    // Start-up and main window
    HINSTANCE instance;
    char windowTitle[kTextBufferSize];
    char windowClassName[kTextBufferSize];
    HWND mainWindow;
    int frameExtraWidth;
    int frameExtraHeight;
    int windowLeft;
    int windowTop;

    // Picker window
    HDC canvasDC;
    HBITMAP canvasBitmap;
    HGDIOBJ canvasPreviousBitmap;
    HWND focusSinkButton;
    HCURSOR dropperCursor;
    int dragging;
    // The last arrow-key nudge of this drag: where it sent the pointer, and when
    int nudged;
    POINT nudgeTarget;
    DWORD nudgeTime;

    // Colour sample, read in physical pixels where the system allows
    ColorSample sample;
    SetThreadDpiAwarenessContextFunction setThreadDpiContext;
    HANDLE physicalPixelsContext;

    // Window position store
    const char *iniPath;
};

extern PickerState g_picker;

// Fixed geometry of the window, shared by start-up, painting and placement.
const int kClientWidth = 134;
const int kClientHeight = 88;
const int kCanvasWidth = 122;
const int kCanvasHeight = 42;
const int kSwatchLeft = 6;
const int kSwatchTop = 6;
