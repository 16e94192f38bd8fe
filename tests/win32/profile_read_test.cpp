// Values read from the start's one-call snapshot of tanzel.ini are exactly
// what the system's key-by-key read gives, on this platform's INI reader.
#include "settings/profile_read.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "settings/profile_file.h"

namespace
{

const char kAbsent[] = "\x01";

std::string ReadKey(const char *key, int size)
{
    char value[64];
    ReadProfileValue(key, kAbsent, value, size);
    return value;
}

TEST(ProfileSnapshot, ReadsEveryKeyAsTheSystemDoes)
{
    const char ini[] = "[other]\r\ntop=99\r\n"
                       "[tanzel]\r\n"
                       "  top = 12 \r\n"
                       "LEFT=-30\r\n"
                       "; average=9\r\n"
                       "format=\"rgb\"\r\n"
                       "titles=Edit Colors|Farbe = x\r\n"
                       "recent=0A0B0C 112233 445566\r\n"
                       "top=77\r\n"
                       "pickkey=\r\n"
                       "[later]\r\nformat=hsl\r\n";
    HANDLE file = CreateFileA(kIniPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, ini, sizeof(ini) - 1, &written, NULL);
    CloseHandle(file);

    const struct {
        const char *key;
        int size;
    } reads[] = {{"top", 64},    {"left", 64},    {"average", 64}, {"format", 64}, {"titles", 64},
                 {"recent", 10}, {"pickkey", 64}, {"missing", 64}, {"Format", 64}, {"top", 2}};
    for (const auto &read : reads) {
        std::string byKey = ReadKey(read.key, read.size);
        BeginProfileSnapshot();
        std::string fromSnapshot = ReadKey(read.key, read.size);
        EndProfileSnapshot();
        EXPECT_EQ(byKey, fromSnapshot) << read.key << " read into " << read.size << " bytes";
    }
    DeleteFileA(kIniPath);
}

} // namespace
