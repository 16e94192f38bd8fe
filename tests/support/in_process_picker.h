// The picker's own window in the test process, made by the program's own
// start-up functions, for tests that look at its state directly.
#pragma once

#include <windows.h>

// Ends any running tanzel, resets the sample and the drag, and creates and
// shows the picker window; returns it, or NULL when creation failed.
HWND CreateInProcessPicker();
