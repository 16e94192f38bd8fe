#include <windows.h>

#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/startup.h"
#include "picker/dpi_awareness.h"
#include "res/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    LoadStringA(instance, IDS_APP_TITLE, g_picker.windowTitle, kTextBufferSize);
    LoadStringA(instance, IDS_WINDOW_CLASS, g_picker.windowClassName, kTextBufferSize);
    RegisterPickerClass(instance);

    // One picker at a time: a running one is left alone, neither raised nor told.
    if (FindWindowA(g_picker.windowClassName, g_picker.windowTitle))
        return 0;

    PrepareDpiAwareness();
    if (!CreatePickerWindow(instance, showCommand))
        return 0;

    MSG message;
    BOOL result;
    while ((result = GetMessageA(&message, NULL, 0, 0)) > 0) {
        if (HandlePickerKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return result == 0 ? static_cast<int>(message.wParam) : 0;
}
