#include "app/picker_state.h"

PickerState g_picker = {
    NULL,
    "",
    "",
    NULL,
    0,
    0,
    0,
    0, // start-up and main window
    NULL,
    NULL,
    NULL,
    NULL,
    NULL,
    0, // picker window
    0,
    {0, 0},
    0, // no nudge yet
    {255, 255, 255},
    NULL,
    NULL, // white until the first sample
    ".\\tanzel.ini",
};
