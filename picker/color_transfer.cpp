#include "picker/color_transfer.h"

#include "app/picker_state.h"
#include "picker/color_math.h"
#include "picker/host_dialog_protocol.h"

namespace
{

const int kTitleBufferSize = 256;

const WPARAM kSetTextWParam = 3;

// A live host answers at once; a hung one must cost the user seconds, not the
// picker. SMTO_NORMAL keeps answering messages sent to us while we wait, as
// SendMessageA does, so a host that calls back cannot deadlock the two.
const UINT kSendFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
const UINT kHostAnswerTimeoutMs = 2000;

bool IsTargetTitle(const char *title)
{
    return lstrcmpiA(title, kColorSettingsTitle) == 0 || lstrcmpiA(title, kColorEditingTitle) == 0;
}

struct HostSearch {
    HWND pickerWindow;
    HWND target;
};

BOOL CALLBACK TakeIfHostDialog(HWND window, LPARAM searchParameter)
{
    HostSearch *search = reinterpret_cast<HostSearch *>(searchParameter);
    if (window == search->pickerWindow)
        return TRUE;
    char title[kTitleBufferSize] = {};
    GetWindowTextA(window, title, kTitleBufferSize);
    if (IsTargetTitle(title))
        search->target = window;
    return TRUE;
}

// The last match, the lowest in z-order, is the host. The windows are walked
// as a list taken at the start, top to bottom, hidden ones included: a
// GW_HWNDNEXT walk ends early when another program destroys the window it
// stands on.
HWND FindHostDialog(HWND pickerWindow)
{
    HostSearch search = {pickerWindow, NULL};
    EnumWindows(TakeIfHostDialog, reinterpret_cast<LPARAM>(&search));
    return search.target;
}

// False when the field exists but its host did not take the text in time.
bool SendComponent(HWND host, int fieldId, int32_t component)
{
    HWND field = GetDlgItem(host, fieldId);
    char text[kComponentTextSize] = {};
    FormatComponentText(component, text);
    DWORD_PTR result;
    LRESULT sent =
        SendMessageTimeoutA(field, WM_SETTEXT, kSetTextWParam, reinterpret_cast<LPARAM>(text),
                            kSendFlags, kHostAnswerTimeoutMs, &result);
    return sent != 0 || field == NULL;
}

} // namespace

void SendColorToDialog(HWND pickerWindow)
{
    HWND host = FindHostDialog(pickerWindow);
    if (!host)
        return;

    // A host that missed one field is hung: waiting on the others would only
    // multiply the freeze.
    if (!SendComponent(host, kRedFieldId, g_picker.sample.red))
        return;
    if (!SendComponent(host, kGreenFieldId, g_picker.sample.green))
        return;
    SendComponent(host, kBlueFieldId, g_picker.sample.blue);
}
