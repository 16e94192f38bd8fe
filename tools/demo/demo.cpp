// Shows tanzel's main job on a virtual display, driven by real input: pick a
// known colour, Drop it into the colour dialog, press OK, print the result.
//
//   tanzel_demo SCREENSHOT.png
// A second screenshot, taken mid-drag with the loupe over the patch's edge,
// goes beside it as SCREENSHOT-loupe.png; a third, of a still with the loupe
// over the same edge after the patch turned orange under it, as
// SCREENSHOT-still.png.
#include "support/driver.h"
#include "support/host_dialog.h"

#include <cstdio>
#include <string>

namespace
{

const COLORREF kDemoColor = RGB(10, 200, 64);
const COLORREF kLaterColor = RGB(255, 128, 0);
const RECT kPatchArea = {40, 60, 240, 260};

void Say(const std::string &text)
{
    std::printf("[demo] %s\n", text.c_str());
    std::fflush(stdout);
}

std::string Describe(int red, int green, int blue)
{
    char text[48];
    std::snprintf(text, sizeof text, "red %d, green %d, blue %d", red, green, blue);
    return text;
}

// SCREENSHOT.png with what before the extension.
std::string ScreenshotBeside(const std::string &screenshot, const char *what)
{
    size_t dot = screenshot.rfind('.');
    if (dot == std::string::npos || screenshot.find('/', dot) != std::string::npos)
        return screenshot + what;
    return screenshot.substr(0, dot) + what + screenshot.substr(dot);
}

void SaveScreenshotAs(const std::string &path)
{
    Say(SaveScreenshot(path) ? "screenshot saved to " + path : "could not save " + path);
}

} // namespace

int main(int argc, char **argv)
{
    std::string screenshot = argc > 1 ? argv[1] : "/tmp/tanzel-demo.png";
    EndStartedPrograms();

    Say("a patch of " + Describe(10, 200, 64) + " at the left of the screen");
    HWND patch = ShowColorPatch(kPatchArea, kDemoColor);

    TanzelProcess picker = {};
    if (!StartTanzel(&picker)) {
        Say("tanzel.exe did not start");
        return 1;
    }
    Say("tanzel started; a colour dialog titled as the picker expects opens below it");
    HostProcess host;
    if (!StartHost(&host, "--x 300 --y 420", kColorSettingsTitle)) {
        Say("the colour dialog did not open");
        return 1;
    }

    Say("dragging the eyedropper from the swatch to the patch; on its edge the loupe shows both");
    POINT swatch = ClientPointOnScreen(picker.window, 61, 27);
    MouseMoveTo(swatch.x, swatch.y);
    MouseDown();
    MouseMoveTo(kPatchArea.right - 1, 160);
    POINT swatchCorner = ClientPointOnScreen(picker.window, 7, 7);
    WaitUntil([&] { return ScreenPixel(swatchCorner.x, swatchCorner.y) == kDemoColor; }, 5000);
    SaveScreenshotAs(ScreenshotBeside(screenshot, "-loupe"));
    MouseMoveTo(140, 160);
    MouseUp();
    Say("let go over the patch, then clicking Drop");
    POINT drop = ClientPointOnScreen(picker.window, 67, 68);
    ClickAt(drop.x, drop.y);
    WaitUntil([&] { return FieldText(host.dialog, kBlueFieldId) == "64"; }, 5000);
    Say("the dialog's fields now read " + FieldText(host.dialog, kRedFieldId) + ", " +
        FieldText(host.dialog, kGreenFieldId) + ", " + FieldText(host.dialog, kBlueFieldId));

    SaveScreenshotAs(screenshot);

    Say("pressing OK in the dialog");
    PressHostOk(host);
    WaitForHostExit(&host);
    std::string result = ReadHostResult(host);
    Say("the dialog returned: " + result);
    EndHost(&host);

    Say("Ctrl+Shift+F9 with the pointer on the patch's edge: the screen stands still; the patch "
        "turns orange under the still, which still shows it green");
    FocusWineDesktop();
    MouseMoveTo(kPatchArea.right - 1, 160);
    PressKey("ctrl+shift+F9");
    WaitUntil([&] { return FindWindowA("TANZEL_STILL", NULL) != NULL; }, 5000);
    RepaintPatch(patch, kLaterColor);
    // The loupe comes with the first move in a still.
    MouseMoveTo(kPatchArea.right - 2, 160);
    WaitUntil(
        [&] {
            HWND loupe = FindWindowA("TANZEL_LOUPE", NULL);
            POINT centre = ClientPointOnScreen(loupe, 43, 43);
            return loupe && IsWindowVisible(loupe) &&
                   ScreenPixel(centre.x, centre.y) == kDemoColor &&
                   ScreenPixel(swatchCorner.x, swatchCorner.y) == kDemoColor;
        },
        5000);
    SaveScreenshotAs(ScreenshotBeside(screenshot, "-still"));
    PressKey("Escape");

    int exitCode = CloseTanzel(&picker);
    Say("tanzel closed with exit code " + std::to_string(exitCode));
    ClosePatch(patch);

    bool picked = result.find("0x0040C80A") != std::string::npos;
    Say(picked ? "the picked colour arrived in the dialog exactly"
               : "the dialog did not return the picked colour");
    return picked && exitCode == 0 ? 0 : 1;
}
