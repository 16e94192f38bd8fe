#include <windows.h>

#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/startup.h"
#include "picker/dpi_awareness.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    LoadPickerNames(instance);
    // One picker at a time: a running one is left alone, neither raised nor
    // told. Looked for before the class is registered, since a refused start
    // needs no class, and loading the icon for it is most of its cost.
    HANDLE startLock = AcquireStartLock();
    if (IsPickerRunning()) {
        ReleaseStartLock(startLock);
        return 0;
    }

    RegisterPickerClass(instance);
    PrepareDpiAwareness();
    bool created = CreatePickerWindow(instance, showCommand);
    ReleaseStartLock(startLock);
    if (!created)
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
