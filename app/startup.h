#pragma once

#include <windows.h>

// Strings 103 and 109: the window title and the window class name.
void LoadPickerNames(HINSTANCE instance);
// A window of the picker's class and title exists: a picker already runs.
bool IsPickerRunning();
void RegisterPickerClass(HINSTANCE instance);
bool CreatePickerWindow(HINSTANCE instance, int showCommand);
