// The palette with the real tanzel.exe and real input: colours kept with
// Ctrl+D land in tanzel.gpl as GIMP writes them, outlive a restart and copy
// in each format; a person's own lines, another program's edit and a file
// tanzel cannot read whole are never lost. Set TANZEL_SCREENSHOT_DIR (a Unix
// folder) to keep a picture of the open Palette submenu.
#include "support/keyboard.h"
#include "support/picker_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

const COLORREF kGreen = RGB(10, 200, 64);
const COLORREF kCoral = RGB(255, 127, 80);
const COLORREF kPurple = RGB(102, 51, 153);
const char kHeader[] = "GIMP Palette\nName: tanzel\n#\n";
const char kGreenLine[] = " 10 200  64\tlimegreen\n";
const char kCoralLine[] = "255 127  80\tcoral\n";
const char kPurpleLine[] = "102  51 153\trebeccapurple\n";

class Palette : public PickerSession
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\n";
    }

    std::string GplPath()
    {
        return pickerDirectory_ + "\\tanzel.gpl";
    }

    std::string GplText()
    {
        std::string text;
        return ReadBytes(GplPath(), &text) ? text : "(no file)";
    }

    ::testing::AssertionResult FileComesToHold(const std::string &expected)
    {
        if (WaitUntil([&] { return GplText() == expected; }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "tanzel.gpl holds:\n" << GplText();
    }

    // Makes the colour current as pasted text.
    void Paste(const char *code, COLORREF color)
    {
        ASSERT_TRUE(WriteClipboardText(code));
        PressOnPicker("ctrl+v");
        ASSERT_TRUE(SwatchShows(color));
    }

    // Ctrl+C after the keys before it: once its colour is on the clipboard,
    // the picker has taken them all.
    void WaitForKeysTaken(const char *currentCode)
    {
        ASSERT_TRUE(WriteClipboardText("something else"));
        PressKey("ctrl+c");
        ASSERT_TRUE(ClipboardComesToHold(currentCode));
    }

    std::string IniText()
    {
        std::string text;
        return ReadBytes(IniPathIn(pickerDirectory_), &text) ? text : "(no file)";
    }

    std::vector<std::string> FilesInPickerDirectory()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((pickerDirectory_ + "\\*").c_str(), &found);
        while (search != INVALID_HANDLE_VALUE) {
            if (found.cFileName[0] != '.')
                names.push_back(found.cFileName);
            if (!FindNextFileA(search, &found))
                break;
        }
        FindClose(search);
        return names;
    }

    void SaveMenuScreenshot()
    {
        const char *folder = getenv("TANZEL_SCREENSHOT_DIR");
        const char *locale = getenv("TANZEL_LOCALE");
        if (!folder)
            return;
        bool english = locale && std::string(locale).compare(0, 5, "ja_JP") != 0;
        std::string path = std::string(folder) + (english ? "/palette-en.png" : "/palette-ja.png");
        EXPECT_TRUE(SaveScreenshot(path)) << path;
    }
};

TEST_F(Palette, ColoursKeptWithCtrlDOutliveARestartCopyInEachFormatAndLeaveOneByOne)
{
    const struct {
        const char *code;
        COLORREF color;
    } kept[] = {{"#0AC840", kGreen}, {"#FF7F50", kCoral}, {"rebeccapurple", kPurple}};
    for (const auto &k : kept) {
        Paste(k.code, k.color);
        PressKey("ctrl+d");
    }
    const std::string three = std::string(kHeader) + kGreenLine + kCoralLine + kPurpleLine;
    EXPECT_TRUE(FileComesToHold(three));
    ASSERT_EQ(0, CloseTanzel(&picker_));

    ASSERT_TRUE(StartTanzel(&picker_, pickerDirectory_.c_str()));
    ASSERT_TRUE(SwatchIsPlainWhite());
    OpenMenu();
    PressKey("l");
    PumpFor(500);
    SaveMenuScreenshot();
    // Add, Remove, Paste into palette, Copy palette as, then the kept colours.
    for (const char *key : {"Down", "Down", "Down", "Down", "Down", "Return"})
        PressKey(key);
    ASSERT_TRUE(WaitUntil([] { return !IsWindowVisible(FindWindowA("#32768", NULL)); }));
    EXPECT_TRUE(SwatchShows(kCoral)) << "the second kept colour, chosen in the menu";

    ASSERT_TRUE(WriteClipboardText("something else"));
    PressOnPicker("ctrl+shift+c");
    EXPECT_TRUE(ClipboardComesToHold("#0AC840\r\n#FF7F50\r\n#663399\r\n"));

    const std::string css = ":root {\r\n  --limegreen: #0AC840;\r\n  --coral: #FF7F50;\r\n"
                            "  --rebeccapurple: #663399;\r\n}\r\n";
    ChooseInMenu({"l", "c", "c"});
    EXPECT_TRUE(ClipboardComesToHold(css));
    EXPECT_TRUE(WaitUntil([&] {
        return IniText().find("paletteformat=css\r\n") != std::string::npos;
    })) << IniText();
    ASSERT_TRUE(WriteClipboardText("something else"));
    PressOnPicker("ctrl+shift+c");
    EXPECT_TRUE(ClipboardComesToHold(css)) << "Ctrl+Shift+C copies the chosen format";

    ChooseInMenu({"l", "r"});
    EXPECT_TRUE(FileComesToHold(std::string(kHeader) + kGreenLine + kPurpleLine))
        << "the current colour, coral, removed";
    EXPECT_EQ((std::vector<std::string>{"tanzel.gpl", "tanzel.ini"}), FilesInPickerDirectory());
}

TEST_F(Palette, PasteIntoPaletteAddsEveryColourOfAStyleSheetOrNone)
{
    // 赤 in UTF-8: a name in another script arrives intact.
    ASSERT_TRUE(WriteClipboardUnicode(":root {\n  --brand: #0AC840;\n  --\xE8\xB5\xA4: rgb(200 0 "
                                      "0);\n}\n"));
    PressOnPicker("ctrl+shift+v");
    const std::string added =
        std::string(kHeader) + " 10 200  64\tbrand\n200   0   0\t\xE8\xB5\xA4\n";
    EXPECT_TRUE(FileComesToHold(added));

    ASSERT_TRUE(WriteClipboardText("#FF7F50\nnot a colour\n"));
    PressOnPicker("ctrl+shift+v");
    WaitForKeysTaken("#FFFFFF");
    EXPECT_EQ(added, GplText()) << "one line not understood: nothing added";
}

class HandWrittenPalette : public Palette
{
  protected:
    void PreparePickerDirectory() override
    {
        WriteBytes(GplPath(), kHandWritten);
    }

    const std::string kHandWritten = "GIMP Palette\r\nName: mine\r\nColumns: 2\r\n# top\r\n"
                                     "  1   2   3\ta\r\n# between\r\n4 5 6   b  c\r\n";
};

TEST_F(HandWrittenPalette, ItsCommentsLayoutAndLineEndsStay)
{
    Paste("#0AC840", kGreen);
    PressKey("ctrl+d");
    const std::string withGreen = kHandWritten + " 10 200  64\tlimegreen\r\n";
    EXPECT_TRUE(FileComesToHold(withGreen));

    Paste("rgb(1, 2, 3)", RGB(1, 2, 3));
    ChooseInMenu({"l", "r"});
    EXPECT_TRUE(FileComesToHold("GIMP Palette\r\nName: mine\r\nColumns: 2\r\n# top\r\n"
                                "# between\r\n4 5 6   b  c\r\n 10 200  64\tlimegreen\r\n"));
}

TEST_F(HandWrittenPalette, AnotherProgramsEditIsReadBeforeTheNextChange)
{
    Paste("#0AC840", kGreen);
    PressKey("ctrl+d");
    ASSERT_TRUE(FileComesToHold(kHandWritten + " 10 200  64\tlimegreen\r\n"));

    const std::string rewritten = "GIMP Palette\nName: from gimp\nColumns: 4\n#\n"
                                  "  0   0 255\tblue\n 10 200  64\tbrand green\n";
    WriteBytes(GplPath(), rewritten);
    Paste("#FF7F50", kCoral);
    PressKey("ctrl+d");
    EXPECT_TRUE(FileComesToHold(rewritten + kCoralLine));
}

class UnreadablePalette : public Palette
{
  protected:
    void PreparePickerDirectory() override
    {
        WriteBytes(GplPath(), kBad);
    }

    const std::string kBad = "GIMP Palette\n1 2 3 a\n# x\nnot a colour\n";
};

TEST_F(UnreadablePalette, IsNeverWritten)
{
    Paste("#0AC840", kGreen);
    PressKey("ctrl+d");
    ASSERT_TRUE(WriteClipboardText("#FF7F50"));
    PressKey("ctrl+shift+v");
    WaitForKeysTaken("#0AC840");
    EXPECT_EQ(kBad, GplText());
    EXPECT_EQ((std::vector<std::string>{"tanzel.gpl", "tanzel.ini"}), FilesInPickerDirectory());
    // Its colours still show, and choosing one still picks it.
    // Past the greyed items and the line that says why.
    ChooseInMenu({"l", "Down", "Down", "Down", "Down", "Down", "Return"});
    EXPECT_TRUE(SwatchShows(RGB(1, 2, 3)));
    EXPECT_EQ(kBad, GplText());
}

} // namespace
