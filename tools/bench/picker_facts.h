// What the benchmark knows of the picker's layout and of the host dialog,
// kept here so that only picker_glue.cpp includes the program's headers; it
// checks these against the program's own constants.
#pragma once

#include <windows.h>

const int kPickerClientWidth = 134;
const int kPickerClientHeight = 88;
const int kPickerSwatchLeft = 6;
const int kPickerSwatchTop = 6;
const int kPickerCanvasWidth = 122;
const int kPickerCanvasHeight = 42;

// The colour dialog's red, green and blue fields, and what a Drop sends to them.
constexpr int kHostFieldIds[] = {706, 707, 708};
const WPARAM kHostSetTextWParam = 3;
const UINT kHostSendFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
const UINT kHostAnswerTimeoutMs = 2000;
