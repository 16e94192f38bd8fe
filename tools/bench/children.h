// Other processes the benchmark starts: copies of itself in a child mode,
// tanzel.exe, the host dialog and the bare start-up program.
#pragma once

#include <windows.h>

#include <string>

const DWORD kChildFailed = 0x7FFFFFFF;
const DWORD kWaitMs = 60000;
const DWORD kAppearMs = 10000;
// Time for other processes to finish what the last step gave them to do.
const DWORD kSettleMs = 150;

std::string SelfPath();
// Children write nothing into the table: their standard handles go nowhere.
bool Launch(const std::string &commandLine, PROCESS_INFORMATION *info);
// Ends the process if it still runs, and closes its handles.
void Release(PROCESS_INFORMATION *info);
// Runs a command to its end; its exit code, or kChildFailed when it could
// not run or did not end in time.
DWORD RunChild(const std::string &commandLine);
// A top-level window of the given process, class and title.
HWND FindWindowOf(DWORD processId, const char *className, const char *title);
