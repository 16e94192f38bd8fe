// The real tanzel.exe remembers where its window stood in .\tanzel.ini of the
// directory it was started in.
#include "support/driver.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace
{

const int kCentred = INT_MIN;
const int kClientWidth = 134;
const int kClientHeight = 88;
const DWORD kCloseTimeoutMs = 10000;

class PositionTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EndStartedPrograms();
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override
    {
        EndStartedPrograms();
    }

    int screenWidth = 0;
    int screenHeight = 0;
};

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> LinesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

POINT OuterTopLeft(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    POINT corner = {outer.left, outer.top};
    return corner;
}

// Where the program centres its window, from the frame the running window has.
POINT CentredTopLeft(HWND window)
{
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    int frameWidth = (outer.right - outer.left) - client.right;
    int frameHeight = (outer.bottom - outer.top) - client.bottom;
    POINT corner = {(GetSystemMetrics(SM_CXSCREEN) - frameWidth - kClientWidth) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - frameHeight - kClientHeight) / 2};
    return corner;
}

bool MoveWindowTo(HWND window, int left, int top)
{
    SetWindowPos(window, NULL, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitUntil([&] {
        POINT corner = OuterTopLeft(window);
        return corner.x == left && corner.y == top;
    });
}

std::string IniText(int top, int left)
{
    return "[tanzel]\r\ntop=" + std::to_string(top) + "\r\nleft=" + std::to_string(left) + "\r\n";
}

// Starts the picker in directory and gives its outer top-left corner.
::testing::AssertionResult StartAndLocate(TanzelProcess *picker, const std::string &directory,
                                          POINT *corner)
{
    if (!StartTanzel(picker, directory.c_str()))
        return ::testing::AssertionFailure()
               << "no picker window in " << directory << " (last error " << GetLastError()
               << ", process " << (picker->info.hProcess ? "started" : "not started") << ")";
    *corner = OuterTopLeft(picker->window);
    return ::testing::AssertionSuccess();
}

#define EXPECT_AT(expectedLeft, expectedTop, corner)                                               \
    do {                                                                                           \
        EXPECT_EQ(expectedLeft, (corner).x) << "left";                                             \
        EXPECT_EQ(expectedTop, (corner).y) << "top";                                               \
    } while (0)

TEST_F(PositionTest, FirstStartCentresAndCloseWritesBothKeys)
{
    std::string directory = MakeFreshDirectory("first");
    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    POINT centred = CentredTopLeft(picker.window);
    EXPECT_AT(centred.x, centred.y, corner);
    EXPECT_FALSE(FileExists(IniPathIn(directory))) << "written before the window closed";

    POINT last = OuterTopLeft(picker.window);
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    std::string written;
    ASSERT_TRUE(ReadBytes(IniPathIn(directory), &written));
    std::vector<std::string> expected = {"[tanzel]", "top=" + std::to_string(last.y),
                                         "left=" + std::to_string(last.x)};
    EXPECT_EQ(expected, LinesOf(written)) << written;
}

TEST_F(PositionTest, MovedWindowReopensWhereItWasClosed)
{
    std::string directory = MakeFreshDirectory("moved");
    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    std::string written;
    ASSERT_TRUE(ReadBytes(IniPathIn(directory), &written));
    EXPECT_EQ(IniText(200, 300), written);

    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    EXPECT_AT(300, 200, corner);
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

TEST_F(PositionTest, WindowDraggedByItsCaptionReopensThere)
{
    std::string directory = MakeFreshDirectory("dragged");
    TanzelProcess picker;
    POINT start;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &start));
    POINT clientOrigin = ClientPointOnScreen(picker.window, 0, 0);
    POINT caption = {start.x + 50, (start.y + clientOrigin.y) / 2};
    POINT target = {caption.x - 180, caption.y - 140};
    DragMouse(caption, target, 8);
    ASSERT_TRUE(WaitUntil([&] {
        POINT now = OuterTopLeft(picker.window);
        return now.x == start.x - 180 && now.y == start.y - 140;
    })) << "the caption drag did not move the window";
    POINT dropped = OuterTopLeft(picker.window);
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    POINT reopened;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &reopened));
    EXPECT_AT(dropped.x, dropped.y, reopened);
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

struct PreparedFile {
    const char *name;
    std::string contents;
    int left; // kCentred for the centred coordinate
    int top;
};

TEST_F(PositionTest, PreparedFilePlacesWindowByTheRules)
{
    const std::string w = std::to_string(screenWidth);
    const std::string h = std::to_string(screenHeight);
    const std::string wLess = std::to_string(screenWidth - 1);
    const std::string hLess = std::to_string(screenHeight - 1);
    const std::string wMore = std::to_string(screenWidth + 1);
    const std::string hMore = std::to_string(screenHeight + 1);
    const PreparedFile cases[] = {
        {"NegativeTopCentresOnlyTop", "[tanzel]\r\ntop=-5\r\nleft=300\r\n", 300, kCentred},
        {"LettersGiveZeroNotCentre", "[tanzel]\r\ntop=200\r\nleft=abc\r\n", 0, 200},
        {"EmptyValueGivesZero", "[tanzel]\r\ntop=\r\nleft=300\r\n", 300, 0},
        {"DigitsBeforeLettersCount", "[tanzel]\r\ntop=12px\r\nleft=+7\r\n", 7, 12},
        {"ZeroIsKept", "[tanzel]\r\ntop=0\r\nleft=0\r\n", 0, 0},
        {"JustInsideTheScreenIsKept", "[tanzel]\r\ntop=" + hLess + "\r\nleft=" + wLess + "\r\n",
         screenWidth - 1, screenHeight - 1},
        {"EqualToTheScreenSizeCentres", "[tanzel]\r\ntop=" + h + "\r\nleft=" + w + "\r\n", kCentred,
         kCentred},
        {"BeyondTheScreenCentres", "[tanzel]\r\ntop=" + hMore + "\r\nleft=" + wMore + "\r\n",
         kCentred, kCentred},
        {"NegativeLeftCentresOnlyLeft", "[tanzel]\r\ntop=100\r\nleft=-1\r\n", kCentred, 100},
        {"TwoToThe32WrapsToZero", "[tanzel]\r\ntop=4294967296\r\nleft=4294967396\r\n", 100, 0},
        {"TwoToThe31WrapsNegativeAndCentres", "[tanzel]\r\ntop=2147483648\r\nleft=-4294967196\r\n",
         100, kCentred},
        {"NoKeysCentre", "[tanzel]\r\n", kCentred, kCentred},
        {"OtherSectionIsIgnored", "[other]\r\ntop=5\r\nleft=5\r\n", kCentred, kCentred},
        {"MarkerTextCountsAsAbsentOnlyExactly", "[tanzel]\r\ntop=(none)\r\nleft=(NONE)\r\n", 0,
         kCentred},
        {"SectionAndKeysIgnoreCase", "[TANZEL]\r\nTOP=77\r\nLeft=88\r\n", 88, 77},
        // The profile functions trim blanks around a value and one pair of quotes.
        {"BlanksAroundValuesAreTrimmed", "[tanzel]\r\ntop=  250  \r\nleft=\t-5\t\r\n", kCentred,
         250},
        {"QuotesAroundValuesAreStripped", "[tanzel]\r\ntop=\"120\"\r\nleft=\"  5  \"\r\n", 5, 120},
        {"FirstOfRepeatedKeysCounts", "[tanzel]\r\ntop=100\r\ntop=200\r\nleft=1\r\n", 1, 100},
        {"UnixLineEndsRead", "[tanzel]\ntop=5\nleft=6\n", 6, 5},
        // 62 zeros then 12: the 64-byte buffer keeps 63 bytes, so "...01".
        {"ValueCutAtSixtyThreeBytes",
         "[tanzel]\r\ntop=" + std::string(62, '0') + "12\r\nleft=" + std::string(70, '0') + "9\r\n",
         0, 1},
        {"SpaceInsideNumberEndsIt", "[tanzel]\r\ntop=1 2\r\nleft=3;4\r\n", 3, 1},
    };
    for (const PreparedFile &c : cases) {
        SCOPED_TRACE(c.name);
        std::string directory = MakeFreshDirectory(c.name);
        WriteBytes(IniPathIn(directory), c.contents);
        TanzelProcess picker;
        POINT corner;
        ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
        POINT centred = CentredTopLeft(picker.window);
        EXPECT_AT(c.left == kCentred ? centred.x : c.left, c.top == kCentred ? centred.y : c.top,
                  corner);
        EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
    }
}

TEST_F(PositionTest, AnotherWorkingDirectoryReadsAndWritesItsOwnFile)
{
    std::string first = MakeFreshDirectory("first_dir");
    std::string second = MakeFreshDirectory("second_dir");
    WriteBytes(IniPathIn(first), IniText(100, 120));
    WriteBytes(IniPathIn(second), IniText(300, 500));

    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, first, &corner));
    EXPECT_AT(120, 100, corner);
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    ASSERT_TRUE(StartAndLocate(&picker, second, &corner));
    EXPECT_AT(500, 300, corner);
    ASSERT_TRUE(MoveWindowTo(picker.window, 50, 60));
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    std::string written;
    ASSERT_TRUE(ReadBytes(IniPathIn(first), &written));
    EXPECT_EQ(IniText(100, 120), written);
    ASSERT_TRUE(ReadBytes(IniPathIn(second), &written));
    EXPECT_EQ(IniText(60, 50), written);
}

TEST_F(PositionTest, IniPathThatIsADirectoryCostsOnlyThePosition)
{
    std::string directory = MakeFreshDirectory("ini_is_directory");
    ASSERT_TRUE(CreateDirectoryA(IniPathIn(directory).c_str(), NULL));

    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    POINT centred = CentredTopLeft(picker.window);
    EXPECT_AT(centred.x, centred.y, corner);
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));
    // A message box or a crash would keep it from ending with code 0.
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY,
              GetFileAttributesA(IniPathIn(directory).c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    EXPECT_AT(centred.x, centred.y, corner);
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

TEST_F(PositionTest, FileLockedAtCloseKeepsOlderPosition)
{
    std::string directory = MakeFreshDirectory("locked");
    std::string path = IniPathIn(directory);
    WriteBytes(path, IniText(100, 120));

    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    EXPECT_AT(120, 100, corner);
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    int exitCode = CloseTanzel(&picker, kCloseTimeoutMs);
    CloseHandle(lock);
    ASSERT_EQ(0, exitCode);

    std::string kept;
    ASSERT_TRUE(ReadBytes(path, &kept));
    EXPECT_EQ(IniText(100, 120), kept);
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    EXPECT_AT(120, 100, corner);
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

TEST_F(PositionTest, StoredValueEqualToTheScreenSizeCentres)
{
    std::string directory = MakeFreshDirectory("equal_to_screen");
    WriteBytes(IniPathIn(directory), IniText(screenHeight, screenWidth));
    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    POINT centred = CentredTopLeft(picker.window);
    EXPECT_AT(centred.x, centred.y, corner);
    RECT outer;
    GetWindowRect(picker.window, &outer);
    EXPECT_LT(outer.left, screenWidth);
    EXPECT_LT(outer.top, screenHeight);
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

TEST_F(PositionTest, WindowClosedWhileMinimisedReopensAtItsRestoredPlace)
{
    std::string directory = MakeFreshDirectory("minimised");
    TanzelProcess picker;
    POINT corner;
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    ASSERT_TRUE(MoveWindowTo(picker.window, 300, 200));
    PostMessageA(picker.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    // Minimised, it stands elsewhere (far off the screen on Windows, at the
    // bottom left under Wine), so its outer corner is not the place to save.
    ASSERT_TRUE(WaitUntil([&] {
        POINT now = OuterTopLeft(picker.window);
        return IsIconic(picker.window) && !(now.x == 300 && now.y == 200);
    })) << "the window was not minimised away from its place";
    ASSERT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));

    std::string written;
    ASSERT_TRUE(ReadBytes(IniPathIn(directory), &written));
    EXPECT_EQ(IniText(200, 300), written);
    ASSERT_TRUE(StartAndLocate(&picker, directory, &corner));
    EXPECT_AT(300, 200, corner);
    EXPECT_FALSE(IsIconic(picker.window));
    EXPECT_EQ(0, CloseTanzel(&picker, kCloseTimeoutMs));
}

} // namespace
