#include "tools/bench/children.h"

std::string SelfPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}

bool Launch(const std::string &commandLine, PROCESS_INFORMATION *info)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE nowhere =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nowhere;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    std::string line = commandLine;
    BOOL started = CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, info);
    CloseHandle(nowhere);
    return started != 0;
}

void Release(PROCESS_INFORMATION *info)
{
    if (info->hProcess) {
        if (WaitForSingleObject(info->hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info->hProcess, 1);
        CloseHandle(info->hProcess);
        CloseHandle(info->hThread);
    }
    *info = PROCESS_INFORMATION();
}

DWORD RunChild(const std::string &commandLine)
{
    PROCESS_INFORMATION info = {};
    if (!Launch(commandLine, &info))
        return kChildFailed;
    DWORD code = kChildFailed;
    if (WaitForSingleObject(info.hProcess, kAppearMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    Release(&info);
    return code;
}

HWND FindWindowOf(DWORD processId, const char *className, const char *title)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, className, title)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return NULL;
}
