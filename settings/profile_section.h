// Finding one key's value in an INI section read whole, as the system's
// single-key read would give it. Platform-free: no windows.h here.
#pragma once

// section: "key=value" entries, each ended by a NUL, the last by two. The
// first entry whose key matches (ASCII case ignored, blanks and tabs around
// it ignored) gives its value: blanks and tabs around it dropped, then one
// pair of matching quotes around it, then cut to size - 1 bytes. False, and
// value untouched, when no entry has the key.
bool FindProfileValue(const char *section, const char *key, char *value, int size);
