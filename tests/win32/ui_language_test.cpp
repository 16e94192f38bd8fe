// The language the picker speaks, as start-up chooses it from the system:
// Japanese in the suites' Japanese locale, English in the English run.
#include "app/picker_state.h"
#include "app/ui_text.h"
#include "support/in_process_picker.h"

#include <gtest/gtest.h>

namespace
{

TEST(UiLanguage, StartUpSpeaksTheSystemsLanguage)
{
    ASSERT_TRUE(CreateInProcessPicker() != NULL);
    bool japanese = GetACP() == 932 && PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    EXPECT_STREQ(japanese ? "\x83R\x83s\x81[\x8C`\x8E\xAE(&C)" : "&Copy as", UiText(kTextCopyAs))
        << "code page " << GetACP() << ", UI language " << std::hex << GetUserDefaultUILanguage();
    // Which of the two each run is meant to be.
    const char *expected = getenv("TANZEL_LOCALE");
    EXPECT_EQ(expected && strncmp(expected, "ja_JP", 5) != 0 ? 1252u : 932u, GetACP());
    DestroyWindow(g_picker.mainWindow);
}

} // namespace
