// The shared driver ends what its test started and nothing else: a picker,
// host or patch that somebody else runs on the same desktop is left alone.
#include "support/driver.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const char kPatchArguments[] = " 0 0 20 20 0x000000";

void EndAndClose(PROCESS_INFORMATION *info)
{
    TerminateProcess(info->hProcess, 0);
    WaitForSingleObject(info->hProcess, 5000);
    CloseHandle(info->hProcess);
    CloseHandle(info->hThread);
}

} // namespace

TEST(TestDriver, EndsOnlyTheProgramsItStarted)
{
    std::string command = std::string("\"" TANZEL_PATCH_PATH "\"") + kPatchArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION another = {};
    ASSERT_TRUE(
        CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &another));
    PROCESS_INFORMATION ours = {};
    ASSERT_TRUE(StartWindowsProgram(command, NULL, &ours));

    EndStartedPrograms();

    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ours.hProcess, 0)) << "its own program still runs";
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(another.hProcess, 0))
        << "a program it did not start was ended";
    EndAndClose(&ours);
    EndAndClose(&another);
}
