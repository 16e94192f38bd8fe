// libFuzzer target for the stored-number parse; not part of the regular build.
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//       tests/unit/profile_number_fuzz.cpp settings/profile_number.cpp -o profile_number_fuzz
//   ./profile_number_fuzz -max_len=256 -max_total_time=60
#include "profile_number_reference.h"
#include "settings/profile_number.h"

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As GetPrivateProfileStringA leaves a value in the zero-filled 64-byte buffer.
    char buffer[64] = {};
    memcpy(buffer, data, size < sizeof(buffer) - 1 ? size : sizeof(buffer) - 1);
    if (ParseProfileNumber(buffer) != ReferenceParse(std::string(buffer, sizeof(buffer))))
        abort();
    return 0;
}
