#include "picker/utf8_text.h"

int WidenUtf8(const char *text, int length, uint16_t *wide)
{
    int count = 0;
    for (int i = 0; i < length;) {
        uint32_t code = static_cast<unsigned char>(text[i++]);
        int following = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
        if (following > 0)
            code &= 0x7Fu >> (following + 1);
        for (; following > 0 && i < length; --following)
            code = code << 6 | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
        if (code >= 0x10000) {
            code -= 0x10000;
            wide[count++] = static_cast<uint16_t>(0xD800 | code >> 10);
            code = 0xDC00 | (code & 0x3FF);
        }
        wide[count++] = static_cast<uint16_t>(code);
    }
    return count;
}
