#include "settings/profile_number.h"

namespace
{

bool IsProfileBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Two's complement reading of the 32 bits, without relying on the
// implementation-defined unsigned-to-signed conversion.
int32_t ReadAsSigned(uint32_t bits)
{
    if (bits <= static_cast<uint32_t>(INT32_MAX))
        return static_cast<int32_t>(bits);
    return -static_cast<int32_t>(~bits) - 1;
}

} // namespace

int32_t ParseProfileNumber(const char *text)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    while (IsProfileBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t digits = 0;
    while (*p >= '0' && *p <= '9') {
        digits = digits * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    // Negating the unsigned bits is the signed negation, wrapping for INT32_MIN.
    return ReadAsSigned(negative ? 0u - digits : digits);
}

bool IsAbsentProfileValue(const char *text)
{
    const char *marker = kAbsentProfileValue;
    while (*marker && *text == *marker) {
        ++text;
        ++marker;
    }
    return *text == '\0' && *marker == '\0';
}

bool IsUsableCoordinate(int32_t value, int32_t screenExtent)
{
    // A corner at the screen's edge or beyond leaves the whole window off the screen.
    return value >= 0 && value < screenExtent;
}

int32_t CentredCoordinate(int32_t screenExtent, int32_t frameExtra, int32_t clientExtent)
{
    return (screenExtent - frameExtra - clientExtent) / 2;
}

int32_t ResolveStoredCoordinate(const char *text, int32_t screenExtent, int32_t centred)
{
    if (IsAbsentProfileValue(text))
        return centred;
    int32_t value = ParseProfileNumber(text);
    return IsUsableCoordinate(value, screenExtent) ? value : centred;
}
