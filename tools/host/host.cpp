// A stand-in host for trying tanzel out: the system's own colour dialog under
// the title tanzel looks for, or under the system's own title, or any other.
// When the user presses OK it prints the colour chosen; exit code 0 on OK,
// 1 on cancel, 2 on a bad command line.
//
//   tanzel_host [--out FILE] [--title-edit | --title-system | --title TEXT]
//               [--x X --y Y] [--rgb 0xBBGGRR] [--stall MS]
//
// The result line goes to standard output when there is one (or the console
// of the parent), and to FILE when given.
#include <windows.h>

#include <commdlg.h>
#include <stdlib.h>
#include <string.h>

#include "picker/host_dialog_protocol.h"

namespace
{

// Worn until a stalling host stops pumping, so nobody finds it too early.
const char kNotYetStalledTitle[] = "tanzel host";

const UINT kStallMessage = WM_APP + 1;
const int kResultLineSize = 96;

const int kExitChosen = 0;
const int kExitCancelled = 1;
const int kExitUsage = 2;

const char kUsage[] = "usage: tanzel_host [--out FILE] [--title-edit | --title-system |"
                      " --title TEXT] [--x X --y Y] [--rgb 0xBBGGRR] [--stall MS]\r\n";

struct HostOptions {
    const char *title; // NULL: the one the system gives the dialog
    const char *outPath;
    bool placed;
    int x;
    int y;
    COLORREF initialColor;
    DWORD stallMs; // 0: never stall
};

HostOptions g_options = {kColorSettingsTitle, NULL, false, 0, 0, RGB(0, 0, 0), 0};
char g_systemTitle[256];

bool ParseNumber(const char *text, long *value)
{
    char *end;
    *value = strtol(text, &end, 0);
    return *text != '\0' && *end == '\0';
}

bool ParseOptions(int argc, char **argv)
{
    bool hasX = false;
    bool hasY = false;
    for (int i = 1; i < argc; ++i) {
        const char *name = argv[i];
        if (strcmp(name, "--title-edit") == 0) {
            g_options.title = kColorEditingTitle;
            continue;
        }
        if (strcmp(name, "--title-system") == 0) {
            g_options.title = NULL;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char *argument = argv[++i];
        long value = 0;
        if (strcmp(name, "--out") == 0) {
            g_options.outPath = argument;
        } else if (strcmp(name, "--title") == 0) {
            g_options.title = argument;
        } else if (!ParseNumber(argument, &value)) {
            return false;
        } else if (strcmp(name, "--x") == 0) {
            g_options.x = value;
            hasX = true;
        } else if (strcmp(name, "--y") == 0) {
            g_options.y = value;
            hasY = true;
        } else if (strcmp(name, "--rgb") == 0) {
            g_options.initialColor = static_cast<COLORREF>(value) & 0x00FFFFFF;
        } else if (strcmp(name, "--stall") == 0 && value >= 0) {
            g_options.stallMs = static_cast<DWORD>(value);
        } else {
            return false;
        }
    }
    g_options.placed = hasX && hasY;
    return hasX == hasY;
}

// The hook sees every message of the dialog, so it can also stop the dialog's
// thread from pumping: a hung host on demand.
UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        if (g_options.placed)
            SetWindowPos(dialog, NULL, g_options.x, g_options.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!g_options.title) {
            if (g_options.stallMs == 0)
                return 0;
            // Worn again once stalled.
            GetWindowTextA(dialog, g_systemTitle, sizeof g_systemTitle);
            g_options.title = g_systemTitle;
        }
        if (g_options.stallMs == 0) {
            SetWindowTextA(dialog, g_options.title);
        } else {
            SetWindowTextA(dialog, kNotYetStalledTitle);
            PostMessageA(dialog, kStallMessage, 0, 0);
        }
    } else if (message == kStallMessage) {
        SetWindowTextA(dialog, g_options.title);
        Sleep(g_options.stallMs);
    }
    return 0;
}

void WriteText(HANDLE out, const char *text)
{
    DWORD written;
    WriteFile(out, text, lstrlenA(text), &written, NULL);
}

void Report(const char *line)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == NULL || out == INVALID_HANDLE_VALUE) {
        if (AttachConsole(ATTACH_PARENT_PROCESS))
            out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    }
    if (out != NULL && out != INVALID_HANDLE_VALUE)
        WriteText(out, line);

    if (g_options.outPath) {
        HANDLE file = CreateFileA(g_options.outPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            WriteText(file, line);
            CloseHandle(file);
        }
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!ParseOptions(__argc, __argv)) {
        Report(kUsage);
        return kExitUsage;
    }

    static COLORREF customColors[16];
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof(choice);
    choice.rgbResult = g_options.initialColor;
    choice.lpCustColors = customColors;
    choice.Flags = CC_FULLOPEN | CC_ENABLEHOOK | CC_RGBINIT;
    choice.lpfnHook = ColorDialogHook;

    if (!ChooseColorA(&choice)) {
        Report("cancelled\r\n");
        return kExitCancelled;
    }
    char line[kResultLineSize];
    wsprintfA(line, "rgbResult=0x%08lX red=%d green=%d blue=%d\r\n", choice.rgbResult,
              GetRValue(choice.rgbResult), GetGValue(choice.rgbResult),
              GetBValue(choice.rgbResult));
    Report(line);
    return kExitChosen;
}
