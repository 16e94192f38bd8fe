// Reading tanzel.ini's values. While the program starts, its section is read
// in one call and every key is found there: each separate read opens the file
// anew, which under Wine costs a start more than all the rest of the INI.
#pragma once

void BeginProfileSnapshot();
void EndProfileSnapshot();
// The key's value, or absent when the file has no such key, as
// GetPrivateProfileStringA gives them.
void ReadProfileValue(const char *key, const char *absent, char *value, int size);
