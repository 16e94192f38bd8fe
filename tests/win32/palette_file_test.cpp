// The palette's write under Wine: a new file beside the old one, then one
// step that puts it in its place; a write that cannot finish leaves the old
// file as it was and nothing beside it.
#include "settings/palette_file.h"
#include "support/driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// The names in a folder, "." and ".." left out.
std::vector<std::string> FilesIn(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(ReplaceFileContents, PutsTheNewTextInTheOldFilesPlaceInOneStep)
{
    std::string folder = MakeFreshDirectory("replace");
    std::string path = folder + "\\tanzel.gpl";
    const std::string kOld = "GIMP Palette\n1 2 3 a\n";
    const std::string kNew = "GIMP Palette\r\n1 2 3 a\r\n4 5 6 b\r\n";
    WriteBytes(path, kOld);

    ASSERT_TRUE(ReplaceFileContents(path.c_str(), kNew.data(), static_cast<int>(kNew.size())));
    std::string now;
    ASSERT_TRUE(ReadBytes(path, &now));
    EXPECT_EQ(kNew, now);
    EXPECT_EQ(std::vector<std::string>{"tanzel.gpl"}, FilesIn(folder)) << "nothing beside it";

    // A file that does not exist yet is made the same way.
    std::string fresh = folder + "\\fresh.gpl";
    ASSERT_TRUE(ReplaceFileContents(fresh.c_str(), kOld.data(), static_cast<int>(kOld.size())));
    ASSERT_TRUE(ReadBytes(fresh, &now));
    EXPECT_EQ(kOld, now);
}

TEST(ReplaceFileContents, AFailedWriteLeavesTheOldFileAndNoStrayFile)
{
    std::string folder = MakeFreshDirectory("refused");
    std::string path = folder + "\\tanzel.gpl";
    const std::string kOld = "GIMP Palette\n1 2 3 a\n";
    const std::string kNew = "GIMP Palette\n";
    WriteBytes(path, kOld);

    // Another program holds the file open and lets nobody replace it.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(ReplaceFileContents(path.c_str(), kNew.data(), static_cast<int>(kNew.size())));
    CloseHandle(held);
    std::string now;
    ASSERT_TRUE(ReadBytes(path, &now));
    EXPECT_EQ(kOld, now);
    EXPECT_EQ(std::vector<std::string>{"tanzel.gpl"}, FilesIn(folder));

    // A folder that is not there: nothing written anywhere.
    std::string nowhere = folder + "\\missing\\tanzel.gpl";
    EXPECT_FALSE(ReplaceFileContents(nowhere.c_str(), kNew.data(), static_cast<int>(kNew.size())));
    EXPECT_EQ(std::vector<std::string>{"tanzel.gpl"}, FilesIn(folder));
}

} // namespace
