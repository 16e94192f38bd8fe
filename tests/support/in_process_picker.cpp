#include "support/in_process_picker.h"

#include "app/picker_state.h"
#include "app/startup.h"
#include "support/driver.h"

HWND CreateInProcessPicker()
{
    EndStartedPrograms();
    HINSTANCE instance = GetModuleHandleA(NULL);
    g_picker.sample = {255, 255, 255};
    g_picker.window.dragging = 0;
    LoadPickerNames(instance);
    RegisterPickerClass(instance);
    if (!CreatePickerWindow(instance, SW_SHOWNORMAL))
        return NULL;
    PumpFor(200);
    return g_picker.mainWindow;
}
