// A reference model of the stored-number rule for the property and fuzz
// tests, written apart from the program's parse: string handling and 64-bit
// remainders instead of a 32-bit accumulator.
#pragma once

#include <stdint.h>

#include <string>

const uint64_t kModulus = 4294967296ull;

// The rule by string handling and 64-bit remainders.
inline int64_t ReferenceParse(const std::string &bytes)
{
    std::string text = bytes.substr(0, bytes.find('\0'));
    size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos)
        return 0;
    text.erase(0, start);
    int64_t sign = 1;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        sign = text[0] == '-' ? -1 : 1;
        text.erase(0, 1);
    }
    size_t digitCount = text.find_first_not_of("0123456789");
    std::string digits = text.substr(0, digitCount);
    uint64_t remainder = 0;
    for (char d : digits)
        remainder = (remainder * 10 + static_cast<uint64_t>(d - '0')) % kModulus;
    int64_t asSigned = remainder >= kModulus / 2
                           ? static_cast<int64_t>(remainder) - int64_t(kModulus)
                           : static_cast<int64_t>(remainder);
    int64_t negated = sign * asSigned;
    // Back into 32 bits: only -INT32_MIN falls outside.
    return negated == int64_t(INT32_MAX) + 1 ? INT32_MIN : negated;
}
