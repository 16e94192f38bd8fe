#include "app/picker_state.h"

// Constant-initialised: the MinGW entry point runs no static constructors.
// clang-format off
PickerState g_picker = {
    NULL, "", "", NULL,                         // start-up
    {255, 255, 255},                            // the sample: white until the first pick
    {NULL, NULL, 0, {255, 255, 255}, 1,         // picker window: no drag,
     0, {0, 0}, {0, 0}, 0},                     // and no nudge yet
    {NULL, NULL, NULL, 1},                      // swatch canvas, made with the window
    {NULL, NULL, NULL, NULL, {0, 0, 0, 0}},     // loupe, made after the window
    {NULL, NULL},                               // physical pixels, chosen at start-up
};
// clang-format on
