// What Wine does once per process, lazily, where Windows has done it before
// WinMain: load the display driver (the first call that needs the display)
// and the libraries of a thread's first window (theme, input method). Shared
// by the benchmark's start-up children and the bare start-up program.
#pragma once

#include <windows.h>

inline void WarmUpWine()
{
    HDC screen = GetDC(NULL);
    ReleaseDC(NULL, screen);
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TanzelBenchWarmUp";
    RegisterClassA(&windowClass);
    DestroyWindow(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, NULL,
                                  NULL, windowClass.hInstance, NULL));
}
