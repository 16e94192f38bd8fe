// A drag sample with the program's loupe shown: SampleScreenColor, then
// ShowLoupeAt, as the picker does at every sample of a drag.
#include "picker/loupe.h"
#include "picker/screen_sample.h"
#include "tools/bench/bench.h"
#include "tools/bench/loupe_bench.h"

namespace
{

bool g_createdHere = false;

BOOL CALLBACK FindOwnedLayered(HWND window, LPARAM picker)
{
    bool owned = GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(picker);
    bool layered = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    return !(owned && layered);
}

// The picker may make its loupe together with its window.
bool HasLoupe(HWND picker)
{
    return !EnumThreadWindows(GetCurrentThreadId(), FindOwnedLayered,
                              reinterpret_cast<LPARAM>(picker));
}

} // namespace

bool StartProgramLoupe(HWND picker)
{
    g_createdHere = !HasLoupe(picker);
    if (g_createdHere)
        CreateLoupe(picker);
    return true;
}

void TakeLoupeSample(HWND picker, POINT hotSpot)
{
    SampleScreenColor(picker, hotSpot.x, hotSpot.y);
    ShowLoupeAt(picker, hotSpot, 1, PickedColor());
}

void HideProgramLoupe()
{
    HideLoupe();
}

void EndProgramLoupe()
{
    HideLoupe();
    if (g_createdHere)
        DestroyLoupe();
    g_createdHere = false;
}
