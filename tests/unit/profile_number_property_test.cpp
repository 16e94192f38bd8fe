// The parse held against a reference model of the same rule, written another
// way, over random byte strings as the 64-byte profile buffer holds them.
#include "profile_number_reference.h"
#include "settings/profile_number.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace
{

const size_t kProfileBufferSize = 64;
// What GetPrivateProfileStringA leaves in a zero-filled buffer of that size.
std::string InProfileBuffer(const std::string &value, char (&buffer)[kProfileBufferSize])
{
    std::memset(buffer, 0, sizeof(buffer));
    std::memcpy(buffer, value.data(), std::min(value.size(), kProfileBufferSize - 1));
    return std::string(buffer, kProfileBufferSize);
}

// Mostly the bytes the rule cares about, so runs of digits and signs are common.
std::string RandomValue(std::mt19937 &random, size_t length)
{
    static const char kInteresting[] = "0123456789+- \t\n\v\f\r9-0a(none)";
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<size_t> pick(0, sizeof(kInteresting) - 2);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string value;
    for (size_t i = 0; i < length; ++i)
        value +=
            percent(random) < 70 ? kInteresting[pick(random)] : static_cast<char>(anyByte(random));
    return value;
}

TEST(ProfileNumberProperty, ParseAgreesWithReferenceOnRandomBufferContents)
{
    std::mt19937 random(20240517);
    std::uniform_int_distribution<size_t> shortLength(0, kProfileBufferSize - 1);
    std::uniform_int_distribution<size_t> longLength(kProfileBufferSize, 4 * kProfileBufferSize);
    int mismatches = 0;
    for (int i = 0; i < 200000 && mismatches < 10; ++i) {
        std::string value =
            RandomValue(random, i % 4 == 0 ? longLength(random) : shortLength(random));
        char buffer[kProfileBufferSize];
        std::string held = InProfileBuffer(value, buffer);
        int64_t expected = ReferenceParse(held);
        int32_t actual = ParseProfileNumber(buffer);
        if (expected != actual) {
            ++mismatches;
            ADD_FAILURE() << "value of " << value.size() << " bytes, buffer \""
                          << std::string(buffer) << "\": expected " << expected << ", got "
                          << actual;
        }
    }
}

TEST(ProfileNumberProperty, ParseAgreesWithTheHostLibraryWhileDigitsFit64Bits)
{
    // The host's strtoll and isspace in the "C" locale, truncated to 32 bits.
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> length(0, 24);
    for (int i = 0; i < 100000; ++i) {
        std::string value = RandomValue(random, length(random));
        size_t begin = value.find_first_not_of(" \t\n\v\f\r");
        if (begin != std::string::npos && (value[begin] == '+' || value[begin] == '-'))
            ++begin;
        size_t digits = 0;
        while (begin != std::string::npos && begin + digits < value.size() &&
               value[begin + digits] >= '0' && value[begin + digits] <= '9')
            ++digits;
        if (digits > 18)
            continue;
        uint32_t low =
            static_cast<uint32_t>(static_cast<uint64_t>(std::strtoll(value.c_str(), NULL, 10)));
        int32_t expected = low > uint32_t(INT32_MAX) ? -int32_t(~low) - 1 : int32_t(low);
        ASSERT_EQ(expected, ParseProfileNumber(value.c_str())) << '"' << value << '"';
    }
}

TEST(ProfileNumberProperty, ResolvedCoordinateIsStoredValueOnlyWhenOnTheScreen)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int32_t> extent(1, 4000);
    std::uniform_int_distribution<int64_t> stored(-5000, 5000);
    for (int i = 0; i < 100000; ++i) {
        int32_t screen = extent(random);
        int64_t number = stored(random) + (i % 3 == 0 ? int64_t(kModulus) * (i % 7) : 0);
        std::string text = std::to_string(number);
        int32_t centred = -1234567;
        int64_t wrapped = ReferenceParse(text);
        int32_t expected = wrapped >= 0 && wrapped < screen ? int32_t(wrapped) : centred;
        ASSERT_EQ(expected, ResolveStoredCoordinate(text.c_str(), screen, centred))
            << text << " on " << screen;
    }
}

} // namespace
