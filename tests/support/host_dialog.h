// The substitute host, tanzel_host.exe (the system's own colour dialog under
// the title the picker looks for), started and read from tests.
#pragma once

#include <windows.h>

#include <string>

#include "picker/host_dialog_protocol.h"

struct HostProcess {
    PROCESS_INFORMATION info;
    HWND dialog;            // its colour dialog, once it wears the wanted title
    std::string resultPath; // where it writes its result line
};

// Starts tanzel_host.exe with the options (see tools/host/host.cpp) plus an
// --out file of its own, and waits for its dialog titled title.
bool StartHost(HostProcess *host, const std::string &options, const char *title,
               DWORD timeoutMs = 15000);
// Waits for the host to end; its exit code, or -1 when it had to be killed.
// Its result file stays readable.
int WaitForHostExit(HostProcess *host, DWORD timeoutMs = 10000);
// Kills the host if it still runs and releases its handles.
void EndHost(HostProcess *host);
// The line the host wrote on exit, without the line break ("" when none).
std::string ReadHostResult(const HostProcess &host);
// Presses the dialog's OK button by its command, as a click would.
void PressHostOk(const HostProcess &host);
// The text of a field of a dialog, which may belong to another process.
std::string FieldText(HWND dialog, int fieldId);
