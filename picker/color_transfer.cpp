#include "picker/color_transfer.h"

#include "picker/dialog_caption.h"
#include "picker/host_dialog_protocol.h"

namespace
{

const WPARAM kSetTextWParam = 3;

// A live host answers at once; a hung one must cost the user seconds, not the
// picker. SMTO_NORMAL keeps answering messages sent to us while we wait, as
// SendMessageA does, so a host that calls back cannot deadlock the two.
const UINT kSendFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
const UINT kHostAnswerTimeoutMs = 2000;

// Windows names the colour dialog's template by number, Wine by name.
const WORD kColorDialogTemplateId = 10;
const char kColorDialogTemplateName[] = "CHOOSE_COLOR";
const char kComdlgFileName[] = "\\comdlg32.dll";

struct HostTitles {
    const char *const *extra;
    int extraCount;
    char system[kHostTitleSize];
    bool systemLooked;
};

HostTitles g_titles;

bool SameTitle(const char *title, const char *known)
{
    return known[0] && lstrcmpiA(title, known) == 0;
}

bool IsTargetTitle(const char *title)
{
    if (SameTitle(title, kColorSettingsTitle) || SameTitle(title, kColorEditingTitle) ||
        SameTitle(title, g_titles.system))
        return true;
    for (int i = 0; i < g_titles.extraCount; ++i)
        if (SameTitle(title, g_titles.extra[i]))
            return true;
    return false;
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
    // One byte more than any known title, so a longer title never matches
    // by what is left of it once cut.
    char title[kHostTitleSize + 1] = {};
    GetWindowTextA(window, title, kHostTitleSize + 1);
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

// By its full path: a bare name would let the search order pick a planted copy.
HMODULE MapSystemComdlg()
{
    char path[MAX_PATH + sizeof kComdlgFileName];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return NULL;
    char *to = path + length;
    for (const char *from = kComdlgFileName; (*to++ = *from++) != '\0';) {
    }
    return LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
}

HRSRC FindColorDialogTemplate(HMODULE comdlg)
{
    HRSRC found = FindResourceA(comdlg, MAKEINTRESOURCEA(kColorDialogTemplateId), RT_DIALOG);
    return found ? found : FindResourceA(comdlg, kColorDialogTemplateName, RT_DIALOG);
}

// Only a caption that the ANSI code page spells without loss can match what
// GetWindowTextA reads.
bool ConvertCaption(const uint8_t *resource, const DialogCaption &caption,
                    char (&title)[kHostTitleSize])
{
    if (caption.length == 0)
        return false;
    BOOL lossy = FALSE;
    int written = WideCharToMultiByte(
        CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWSTR>(resource + caption.offset),
        static_cast<int>(caption.length), title, kHostTitleSize - 1, NULL, &lossy);
    if (written <= 0 || lossy)
        return false;
    title[written] = '\0';
    return true;
}

bool ReadCaptionOf(HMODULE comdlg, char (&title)[kHostTitleSize])
{
    HRSRC found = FindColorDialogTemplate(comdlg);
    if (!found)
        return false;
    DWORD size = SizeofResource(comdlg, found);
    HGLOBAL loaded = LoadResource(comdlg, found);
    // What LockResource would return: a loaded resource's handle is its address.
    const uint8_t *resource = static_cast<const uint8_t *>(loaded);
    DialogCaption caption;
    return resource && FindDialogCaption(resource, size, &caption) &&
           ConvertCaption(resource, caption, title);
}

} // namespace

void SetExtraHostTitles(const char *const *titles, int count)
{
    g_titles.extra = titles;
    g_titles.extraCount = count;
}

bool ReadSystemColorDialogTitle(char (&title)[kHostTitleSize])
{
    title[0] = '\0';
    HMODULE comdlg = MapSystemComdlg();
    if (!comdlg)
        return false;
    bool found = ReadCaptionOf(comdlg, title);
    FreeLibrary(comdlg);
    if (!found)
        title[0] = '\0';
    return found;
}

void SendColorToDialog(HWND pickerWindow, const ColorSample &sample)
{
    // Once, and not at start-up, which must stay quick.
    if (!g_titles.systemLooked) {
        g_titles.systemLooked = true;
        ReadSystemColorDialogTitle(g_titles.system);
    }
    HWND host = FindHostDialog(pickerWindow);
    if (!host)
        return;

    // A host that missed one field is hung: waiting on the others would only
    // multiply the freeze.
    if (!SendComponent(host, kRedFieldId, sample.red))
        return;
    if (!SendComponent(host, kGreenFieldId, sample.green))
        return;
    SendComponent(host, kBlueFieldId, sample.blue);
}
