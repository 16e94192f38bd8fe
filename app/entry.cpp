// The MinGW build's entry point. The program uses nothing the C runtime sets
// up (no static constructors, no arguments, no stdio), and leaving its
// start-up code out takes about 10 KB off the exe.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand);

// The exe's own module handle, which GetModuleHandleA(NULL) would return.
extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" void __cdecl TanzelStartup()
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int showCommand =
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    UINT exitCode = static_cast<UINT>(
        WinMain(reinterpret_cast<HINSTANCE>(&__ImageBase), NULL, NULL, showCommand));
    ExitProcess(exitCode);
}
