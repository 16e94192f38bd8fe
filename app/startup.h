#pragma once

#include <windows.h>

// Strings 103 and 109: the window title and the window class name.
void LoadPickerNames(HINSTANCE instance);
// Makes the search for a running picker and the creation of the window one
// step that two starts cannot interleave: taken before the search, released
// once the window exists. NULL when the turn could not be had in time; the
// start then goes on without it.
HANDLE AcquireStartLock();
void ReleaseStartLock(HANDLE lock);
// A window of the picker's class and title exists: a picker already runs.
bool IsPickerRunning();
void RegisterPickerClass(HINSTANCE instance);
bool CreatePickerWindow(HINSTANCE instance, int showCommand);
