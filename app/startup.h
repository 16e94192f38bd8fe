#pragma once

#include <windows.h>

void RegisterPickerClass(HINSTANCE instance);
bool CreatePickerWindow(HINSTANCE instance, int showCommand);
