// What the picker window itself owns; every module below keeps its own.
#pragma once

#include <windows.h>

#include "app/picker_window.h"
#include "picker/color_math.h"
#include "settings/options_store.h"

const int kTextBufferSize = 100;

struct PickerState {
    // Start-up (app/startup.cpp): who the picker is, and its one window
    HINSTANCE instance;
    char windowTitle[kTextBufferSize];
    char windowClassName[kTextBufferSize];
    HWND mainWindow;

    // The current colour: written by each pick, read by Drop and the copies
    ColorSample sample;
    // What tanzel.ini holds beyond the position, as last chosen
    StoredOptions options;

    PickerWindowState window; // app/picker_window.cpp
};

extern PickerState g_picker;

// The client area's size, for start-up and the position store.
const int kClientWidth = 134;
const int kClientHeight = 88;
