// Top-level windows that come and go without pause, for the tests, in a
// process of its own:
//   tanzel_churn PARENT_PID [LIVE]
// One thread creates hidden top-level windows and destroys each again once
// LIVE newer ones exist (default 8). Each new window goes to the top of the
// z-order of normal windows. It ends when the process PARENT_PID does, so a
// test that dies leaves no churn behind.
#include <windows.h>

#include <cstdlib>

namespace
{

const int kMaxLive = 64;
const int kDefaultLive = 8;
// Windows made between two looks at the parent: looking costs a server call.
const unsigned kParentCheckInterval = 64;

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    HANDLE parent =
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(argv[1], NULL, 10)));
    int live = argc > 2 ? std::atoi(argv[2]) : kDefaultLive;
    if (!parent || live < 1 || live > kMaxLive)
        return 2;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TanzelChurn";
    RegisterClassA(&windowClass);

    HWND ring[kMaxLive] = {};
    for (unsigned made = 0;; ++made) {
        if (made % kParentCheckInterval == 0 && WaitForSingleObject(parent, 0) != WAIT_TIMEOUT)
            return 0;
        HWND &slot = ring[made % live];
        if (slot)
            DestroyWindow(slot);
        slot = CreateWindowExA(0, windowClass.lpszClassName, "tanzel churn", WS_OVERLAPPED, 0, 0,
                               40, 40, NULL, NULL, windowClass.hInstance, NULL);
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
}
