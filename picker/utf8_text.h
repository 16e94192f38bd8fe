// UTF-8 widened to UTF-16 without the system's converter, so the exe imports
// one function less. Platform-free, no C runtime.
#pragma once

#include <stdint.h>

// Writes the UTF-16 of length bytes of UTF-8 text (never more units than
// bytes) and returns how many units. Made for text that is UTF-8 already: a
// stray byte becomes the character of its value, and nothing is checked.
int WidenUtf8(const char *text, int length, uint16_t *wide);
