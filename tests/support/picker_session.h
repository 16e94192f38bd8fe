// The fixture of the end-to-end tests that pick with the real tanzel.exe: a
// picker started fresh for each test, patches of known colours, and checks of
// the swatch against one rendered independently.
#pragma once

#include "support/driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

std::string Describe(COLORREF color);
std::string Describe(POINT point);
// Pixels that differ between two pictures of the same size.
int CountDifferences(const std::vector<COLORREF> &actual, const std::vector<COLORREF> &expected);

class PickerSession : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // What a test shows before the picker starts: under Wine a window shown
    // later can cover the topmost picker.
    virtual void ShowBeforePicker() {}
    // tanzel.ini for a picker started in a fresh directory of its own
    // (pickerDirectory_); NULL starts it in the test's own directory.
    virtual const char *PickerIni()
    {
        return NULL;
    }
    // Puts what else the picker finds at start into pickerDirectory_.
    virtual void PreparePickerDirectory() {}

    // Shows a patch that is closed after the test.
    HWND Patch(RECT area, COLORREF color, const std::vector<ColorBand> &bands = {});
    // Screen points of the swatch (in canvas coordinates) and of Drop's middle.
    POINT SwatchPoint(int x, int y);
    POINT DropPoint();
    // Waits for the swatch to show what a correct picker shows for color.
    ::testing::AssertionResult SwatchShows(COLORREF color, DWORD timeoutMs = 5000);
    ::testing::AssertionResult SwatchIsPlainWhite();

    // Opens the menu with a right-click on the swatch and waits for it.
    void OpenMenu();
    // Opens the menu, types the keys one at a time, and waits for it to close.
    void ChooseInMenu(std::initializer_list<const char *> keys);
    // Activates the picker with a click on its caption, then presses the key.
    void PressOnPicker(const char *key);
    // Waits for the clipboard's CF_TEXT to be text.
    ::testing::AssertionResult ClipboardComesToHold(const std::string &text);

    TanzelProcess picker_ = {};
    std::string pickerDirectory_;
    std::vector<HWND> patches_;
};
