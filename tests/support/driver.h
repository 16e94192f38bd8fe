// One small driver shared by every Win32 test: start the real tanzel.exe,
// find its window, give it real input through xdotool, read screen pixels,
// and show patches of known colours.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// ---- The program under test ----------------------------------------------

struct TanzelProcess {
    PROCESS_INFORMATION info;
    HWND window; // its picker window, NULL until found
};

// Starts tanzel.exe (in workingDirectory, or the test's own when NULL) and
// waits up to timeoutMs for its picker window. Returns false on failure.
bool StartTanzel(TanzelProcess *process, const char *workingDirectory = NULL,
                 DWORD timeoutMs = 10000);
// Starts a program and waits for it to exit; returns its exit code, or -1.
int RunAndWait(const char *commandLine, DWORD timeoutMs, const char *workingDirectory = NULL);
// Asks the picker to close (WM_CLOSE) and returns its exit code, or -1 when it
// did not end within timeoutMs (it is then killed).
int CloseTanzel(TanzelProcess *process, DWORD timeoutMs = 10000);
// Starts a Windows program and remembers it, so that EndStartedPrograms can
// end it; false when it could not be started.
bool StartWindowsProgram(const std::string &commandLine, const char *workingDirectory,
                         PROCESS_INFORMATION *info, DWORD creationFlags = 0);
// Ends every program this test process started (pickers, hosts, patches) that
// still runs, and nothing else: tests start from a clean desktop. Whatever a
// test leaves running also ends when the test process does.
void EndStartedPrograms();

// Where the real pointer is now, in screen coordinates.
POINT PointerPosition();
bool SamePoint(POINT a, POINT b);
// Top-level windows of class "TANZEL" titled "tanzel".
std::vector<HWND> FindPickerWindows();

// ---- Files -------------------------------------------------------------------

// A new, empty directory under the test's own current directory.
std::string MakeFreshDirectory(const std::string &name);
// The picker's INI file when it is started in directory.
std::string IniPathIn(const std::string &directory);
// Replaces the file's contents; a failure fails the test.
void WriteBytes(const std::string &path, const std::string &bytes);
// The whole file; false when it cannot be read.
bool ReadBytes(const std::string &path, std::string *bytes);

// ---- Waiting ---------------------------------------------------------------

// Pumps this thread's messages for ms milliseconds.
void PumpFor(DWORD ms);
// Pumps messages until done() is true or timeoutMs passes; returns done().
template <typename Predicate> bool WaitUntil(Predicate done, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return done();
        PumpFor(15);
    }
    return true;
}

// ---- Real input (xdotool on the X display Wine draws on) -------------------

// Runs a Unix shell command and waits for it (pumping messages meanwhile);
// returns its exit status, or -1 on time-out.
int RunUnixShell(const std::string &command, DWORD timeoutMs = 15000);
void MouseMoveTo(int x, int y);
void MouseDown();
void MouseUp();
// Lets go of the button if a MouseDown of this process still holds it.
void ReleaseMouseIfHeld();
// Press at from, move through the points in steps, release at to.
void DragMouse(POINT from, POINT to, int steps = 5);
void ClickAt(int x, int y);
void RightClickAt(int x, int y);
// xdotool key names: "space", "Left", "shift+Right", "ctrl+c".
void PressKey(const char *keyName);
// Gives the X keyboard focus to the Wine desktop, so keys reach Wine windows.
void FocusWineDesktop();

// ---- Screen ----------------------------------------------------------------

COLORREF ScreenPixel(int x, int y);
// Screen position of a point of a window's client area.
POINT ClientPointOnScreen(HWND window, int x, int y);
// A rectangle of the screen as 0x00BBGGRR values, row by row.
std::vector<COLORREF> ReadScreenRect(int left, int top, int width, int height);
// The value of key in the INI file at path, "(none)" when the key is
// missing and "(no file)" when there is no file.
std::string IniValueIn(const std::string &path, const std::string &key);
// Saves a screenshot of the whole X screen (PNG, ImageMagick) to unixPath.
bool SaveScreenshot(const std::string &unixPath);

// ---- Patches of known colours -----------------------------------------------

// A visible top-level window of that process, or NULL.
HWND FindWindowOfProcess(DWORD processId);
// Starts a program that shows one window in a process of its own and returns
// that window once it exists (NULL when it never did); ClosePatch ends it.
HWND StartPatchProgram(const std::string &commandLine);

struct ColorBand {
    RECT rect; // in the patch's client coordinates
    COLORREF color;
};

// Shows a borderless top-level window at screenRect filled with color, with
// the bands painted over it. The window lives in a process of its own, so it
// paints whatever the test thread is doing. Returns its handle once its colour is on
// the screen, or NULL when it never appeared.
HWND ShowColorPatch(RECT screenRect, COLORREF color, const std::vector<ColorBand> &bands = {});
void ClosePatch(HWND patch);
// Fills a shown patch with another colour, its bands kept; returns once the
// patch has painted it (on the screen where nothing covers it).
bool RepaintPatch(HWND patch, COLORREF color);

// ---- Rendering the expected swatch independently ---------------------------

// The swatch as a correct picker shows it for the colour (r, g, b): the fill,
// then both readout lines in the ink colour, drawn here from first principles.
std::vector<COLORREF> RenderExpectedSwatch(int red, int green, int blue);
// The 122 x 42 swatch of a running picker, read from the screen.
std::vector<COLORREF> ReadSwatch(HWND picker);
