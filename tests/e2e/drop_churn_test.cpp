// Drop with the real tanzel.exe while another program creates and destroys
// top-level windows without pause: every Drop still reaches the host dialog.
#include "support/driver.h"
#include "support/host_dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Without the snapshot walk about one Drop in twenty was lost here.
const int kDrops = 120;
// Clear of the picker, which starts centred on the screen.
const char kHostOptions[] = "--x 600 --y 20 --rgb 0";
const int kDropButtonId = 1;
// A Drop that arrives fills the fields at once; one that is lost never does.
const DWORD kArrivalTimeoutMs = 3000;

bool FieldsHold(HWND dialog, const char *text)
{
    return FieldText(dialog, kRedFieldId) == text && FieldText(dialog, kGreenFieldId) == text &&
           FieldText(dialog, kBlueFieldId) == text;
}

class DropUnderChurn : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EndStartedPrograms();
    }
    void TearDown() override
    {
        if (churn_.hProcess) {
            TerminateProcess(churn_.hProcess, 1);
            WaitForSingleObject(churn_.hProcess, 5000);
            CloseHandle(churn_.hProcess);
            CloseHandle(churn_.hThread);
        }
        EndHost(&host_);
        if (picker_.info.hProcess)
            CloseTanzel(&picker_);
        EndStartedPrograms();
    }

    // Started after the host, so its windows come and go above the host's.
    bool StartChurn()
    {
        std::string commandLine =
            "\"" TANZEL_CHURN_PATH "\" " + std::to_string(GetCurrentProcessId());
        if (!StartWindowsProgram(commandLine, NULL, &churn_, CREATE_NO_WINDOW))
            return false;
        return WaitUntil([] { return FindWindowA("TanzelChurn", NULL) != NULL; });
    }

    TanzelProcess picker_ = {};
    HostProcess host_ = {};
    PROCESS_INFORMATION churn_ = {};
};

TEST_F(DropUnderChurn, EveryDropArrives)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    ASSERT_TRUE(StartHost(&host_, kHostOptions, kColorSettingsTitle));
    ASSERT_TRUE(StartChurn());
    HWND drop = GetDlgItem(picker_.window, kDropButtonId);
    ASSERT_TRUE(drop != NULL);

    int lost = 0;
    for (int i = 0; i < kDrops; ++i) {
        for (int id : {kRedFieldId, kGreenFieldId, kBlueFieldId})
            SetDlgItemTextA(host_.dialog, id, "0");
        ASSERT_TRUE(FieldsHold(host_.dialog, "0"));
        // What the Drop button sends its parent when clicked; no sample yet, so white.
        PostMessageA(picker_.window, WM_COMMAND, MAKEWPARAM(kDropButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(drop));
        if (!WaitUntil([&] { return FieldsHold(host_.dialog, "255"); }, kArrivalTimeoutMs))
            ++lost;
    }
    EXPECT_EQ(0, lost) << "of " << kDrops << " Drops";
}

} // namespace
