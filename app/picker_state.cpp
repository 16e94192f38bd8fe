#include "app/picker_state.h"

// Constant-initialised: the MinGW entry point runs no static constructors.
// clang-format off
PickerState g_picker = {
    NULL, "", "", NULL, 0, 0, 0, 0,  // start-up and main window
    NULL, NULL, NULL, NULL, NULL, 0, // picker window
    0, {0, 0}, 0,                    // no nudge yet
    {255, 255, 255}, NULL, NULL,     // the sample: white until the first pick
    ".\\tanzel.ini",                 // the position store
};
// clang-format on
