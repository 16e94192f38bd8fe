#include "support/host_dialog.h"

#include "support/driver.h"

#include <cstdio>

namespace
{

std::string UniqueResultPath()
{
    static int counter = 0;
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    char path[MAX_PATH + 64];
    std::snprintf(path, sizeof path, "%s\\host-result-%lu-%d.txt", directory, GetCurrentProcessId(),
                  ++counter);
    return path;
}

HWND FindDialogOf(DWORD processId, const char *title)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, title)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return NULL;
}

} // namespace

bool StartHost(HostProcess *host, const std::string &options, const char *title, DWORD timeoutMs)
{
    host->info = PROCESS_INFORMATION();
    host->dialog = NULL;
    host->resultPath = UniqueResultPath();
    DeleteFileA(host->resultPath.c_str());
    std::string commandLine =
        "\"" TANZEL_HOST_PATH "\" --out \"" + host->resultPath + "\" " + options;
    if (!StartWindowsProgram(commandLine, NULL, &host->info))
        return false;
    WaitUntil([&] { return (host->dialog = FindDialogOf(host->info.dwProcessId, title)) != NULL; },
              timeoutMs);
    return host->dialog != NULL;
}

int WaitForHostExit(HostProcess *host, DWORD timeoutMs)
{
    if (!host->info.hProcess)
        return -1;
    bool ended = WaitUntil(
        [&] { return WaitForSingleObject(host->info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    if (ended)
        GetExitCodeProcess(host->info.hProcess, &code);
    EndHost(host);
    return ended ? static_cast<int>(code) : -1;
}

void EndHost(HostProcess *host)
{
    if (!host->info.hProcess)
        return;
    if (WaitForSingleObject(host->info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(host->info.hProcess, 1);
        WaitForSingleObject(host->info.hProcess, 5000);
    }
    CloseHandle(host->info.hProcess);
    CloseHandle(host->info.hThread);
    host->info = PROCESS_INFORMATION();
    host->dialog = NULL;
}

std::string ReadHostResult(const HostProcess &host)
{
    std::string line;
    if (FILE *file = std::fopen(host.resultPath.c_str(), "rb")) {
        char buffer[256] = {};
        size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
        std::fclose(file);
        line.assign(buffer, length);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

void PressHostOk(const HostProcess &host)
{
    HWND ok = GetDlgItem(host.dialog, IDOK);
    PostMessageA(host.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ok));
}

std::string FieldText(HWND dialog, int fieldId)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, fieldId, text, sizeof text);
    return text;
}
