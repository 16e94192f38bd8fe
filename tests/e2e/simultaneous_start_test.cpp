// Two starts of the real tanzel.exe at the same moment, as a double-click on
// a shortcut gives: one picker, and both processes end with exit code 0.
#include "support/driver.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const int kRounds = 6;
const DWORD kSettleTimeoutMs = 15000;

// A new, empty directory under the test's own current directory.
std::string MakeFreshDirectory(int round)
{
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string path = std::string(current) + "\\simultaneous_" +
                       std::to_string(GetCurrentProcessId()) + "_" + std::to_string(round);
    CreateDirectoryA(path.c_str(), NULL);
    return path;
}

// Created suspended, so that both can be let go at once.
bool CreateSuspendedTanzel(const std::string &directory, PROCESS_INFORMATION *info)
{
    return StartWindowsProgram("\"" TANZEL_EXE_PATH "\"", directory.c_str(), info,
                               CREATE_SUSPENDED);
}

bool HasEnded(const PROCESS_INFORMATION &info)
{
    return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0;
}

int ExitCodeOf(const PROCESS_INFORMATION &info)
{
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<int>(code);
}

HWND VisiblePickerOf(const PROCESS_INFORMATION &info)
{
    for (HWND window : FindPickerWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == info.dwProcessId && IsWindowVisible(window))
            return window;
    }
    return NULL;
}

class SimultaneousStart : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EndStartedPrograms();
    }
    void TearDown() override
    {
        EndStartedPrograms();
    }
};

TEST_F(SimultaneousStart, TwoStartsAtOnceLeaveOnePickerAndBothExitWithZero)
{
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string directory = MakeFreshDirectory(round);
        PROCESS_INFORMATION starts[2] = {};
        ASSERT_TRUE(CreateSuspendedTanzel(directory, &starts[0]));
        ASSERT_TRUE(CreateSuspendedTanzel(directory, &starts[1]));
        ResumeThread(starts[0].hThread);
        ResumeThread(starts[1].hThread);

        // Settled: one start has ended and the other shows its window, or
        // both show one.
        auto pickersShown = [&] {
            return (VisiblePickerOf(starts[0]) ? 1 : 0) + (VisiblePickerOf(starts[1]) ? 1 : 0);
        };
        WaitUntil(
            [&] {
                int ended = (HasEnded(starts[0]) ? 1 : 0) + (HasEnded(starts[1]) ? 1 : 0);
                return pickersShown() == 2 || (ended == 1 && pickersShown() == 1) || ended == 2;
            },
            kSettleTimeoutMs);
        EXPECT_EQ(1u, FindPickerWindows().size()) << "picker windows after two starts at once";

        for (PROCESS_INFORMATION &start : starts) {
            HWND window = VisiblePickerOf(start);
            if (window)
                PostMessageA(window, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return HasEnded(start); }, kSettleTimeoutMs))
                << "process " << start.dwProcessId << " did not end";
            EXPECT_EQ(0, ExitCodeOf(start)) << (window ? "the picker" : "the refused start");
            if (!HasEnded(start))
                TerminateProcess(start.hProcess, 1);
            CloseHandle(start.hThread);
            CloseHandle(start.hProcess);
        }
    }
}

} // namespace
