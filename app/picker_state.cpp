#include "app/picker_state.h"

// Zero-filled, so it takes no room in the exe; start-up fills it.
PickerState g_picker;
