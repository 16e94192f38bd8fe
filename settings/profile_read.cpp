#include "settings/profile_read.h"

#include <windows.h>

#include "settings/profile_file.h"
#include "settings/profile_section.h"

namespace
{

// Room for every key at its longest.
const int kSnapshotSize = 8192;

char g_section[kSnapshotSize];
bool g_snapshotTaken;

} // namespace

void BeginProfileSnapshot()
{
    DWORD length = GetPrivateProfileSectionA(kIniSection, g_section, kSnapshotSize, kIniPath);
    if (length == 0)
        g_section[0] = '\0';
    // A section too long for the room comes back cut: then key by key.
    g_snapshotTaken = length < static_cast<DWORD>(kSnapshotSize - 2);
}

void EndProfileSnapshot()
{
    g_snapshotTaken = false;
}

void ReadProfileValue(const char *key, const char *absent, char *value, int size)
{
    if (!g_snapshotTaken)
        GetPrivateProfileStringA(kIniSection, key, absent, value, size, kIniPath);
    else if (!FindProfileValue(g_section, key, value, size)) {
        // lstrcpynA's copy: at most size - 1 characters, then the end.
        int i = 0;
        for (; i < size - 1 && absent[i] != '\0'; ++i)
            value[i] = absent[i];
        value[i] = '\0';
    }
}
