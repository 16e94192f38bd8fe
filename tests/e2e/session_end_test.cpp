// Log-off and shut-down: the system may end the real tanzel.exe right after
// WM_ENDSESSION, with no WM_DESTROY, and the position must already be saved.
#include "support/driver.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const DWORD kAnswerTimeoutMs = 5000;

std::string MakeFreshDirectory(const char *name)
{
    static int counter = 0;
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string path = std::string(current) + "\\" + name + "_" +
                       std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    CreateDirectoryA(path.c_str(), NULL);
    return path;
}

std::string StoredValue(const std::string &directory, const char *key)
{
    char value[64] = {};
    GetPrivateProfileStringA("tanzel", key, "(none)", value, sizeof value,
                             (directory + "\\tanzel.ini").c_str());
    return value;
}

bool MoveWindowTo(HWND window, int left, int top)
{
    SetWindowPos(window, NULL, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitUntil([&] {
        RECT outer;
        GetWindowRect(window, &outer);
        return outer.left == left && outer.top == top;
    });
}

// What the system sends every top-level window at log-off.
::testing::AssertionResult EndSession(HWND window)
{
    DWORD_PTR agreed = 0;
    if (!SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                             kAnswerTimeoutMs, &agreed))
        return ::testing::AssertionFailure() << "no answer to WM_QUERYENDSESSION";
    if (agreed != TRUE)
        return ::testing::AssertionFailure() << "WM_QUERYENDSESSION answered " << agreed;
    DWORD_PTR ignored;
    if (!SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                             kAnswerTimeoutMs, &ignored))
        return ::testing::AssertionFailure() << "no answer to WM_ENDSESSION";
    return ::testing::AssertionSuccess();
}

class SessionEnd : public ::testing::Test
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

TEST_F(SessionEnd, PositionIsSavedBeforeTheSystemEndsTheProcess)
{
    std::string directory = MakeFreshDirectory("session_end");
    TanzelProcess picker;
    ASSERT_TRUE(StartTanzel(&picker, directory.c_str()));
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));

    ASSERT_TRUE(EndSession(picker.window));
    TerminateProcess(picker.info.hProcess, 1);
    WaitForSingleObject(picker.info.hProcess, 5000);
    CloseHandle(picker.info.hProcess);
    CloseHandle(picker.info.hThread);

    EXPECT_EQ("200", StoredValue(directory, "top"));
    EXPECT_EQ("300", StoredValue(directory, "left"));
}

// A picker that lives on after the end of session was announced (the process
// was not ended) loses nothing: its close saves where it is then.
TEST_F(SessionEnd, ALaterCloseStillSavesTheLaterPlace)
{
    std::string directory = MakeFreshDirectory("session_end_then_close");
    TanzelProcess picker;
    ASSERT_TRUE(StartTanzel(&picker, directory.c_str()));
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));
    ASSERT_TRUE(EndSession(picker.window));
    ASSERT_TRUE(MoveWindowTo(picker.window, 320, 240));
    ASSERT_EQ(0, CloseTanzel(&picker));

    EXPECT_EQ("240", StoredValue(directory, "top"));
    EXPECT_EQ("320", StoredValue(directory, "left"));
}

} // namespace
