// The program's loupe: a drag sample is SampleScreenColor, then ShowLoupeAt,
// as the picker does at every sample of a drag.
#include "app/picker_state.h"
#include "picker/loupe.h"
#include "picker/loupe_placement.h"
#include "picker/screen_sample.h"
#include "tools/bench/bench.h"
#include "tools/bench/loupe_bench.h"

static_assert(kFloorSquareSize == kLoupeSquareSize && kFloorClientSize == kLoupeClientSize &&
                  kFloorOuterSize == kLoupeOuterSize && kFloorGap == kLoupeGap,
              "the loupe's floor has the loupe's size and place");

namespace
{

bool g_createdHere = false;

BOOL CALLBACK FindOwnedLayered(HWND window, LPARAM picker)
{
    bool owned = GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(picker);
    bool layered = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    return !(owned && layered);
}

// The picker makes its loupe together with its window.
bool HasLoupe(HWND picker)
{
    return !EnumThreadWindows(GetCurrentThreadId(), FindOwnedLayered,
                              reinterpret_cast<LPARAM>(picker));
}

} // namespace

void StartProgramLoupe(HWND picker)
{
    g_createdHere = !HasLoupe(picker);
    if (g_createdHere)
        CreateLoupe(picker);
}

void TakeLoupeSample(HWND picker, POINT hotSpot)
{
    SampleScreenColor(picker, hotSpot);
    ShowLoupeAt(picker, hotSpot, g_picker.options.averageSide, g_picker.sample);
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
