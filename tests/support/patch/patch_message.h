// What a test may tell a patch window (tanzel_patch.exe) besides WM_CLOSE.
#pragma once

#include <windows.h>

// wParam: the patch's new colour (COLORREF); the bands stay as they are.
const UINT kRepaintPatch = WM_APP + 1;
