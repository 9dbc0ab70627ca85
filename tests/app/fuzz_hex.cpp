// The "uuid" of a preset file is user-editable text: decoding any of it must stay within
// the 4-byte id, and what bytesToHexString writes must decode back to the same bytes.
#include "app/Conversion.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size); // stops at the first zero when read
    unsigned char id[4] = {};
    hexStringToBytes(text.c_str(), id, sizeof id);

    char hex[9];
    bytesToHexString(hex, id, 4);
    unsigned char back[4] = {};
    hexStringToBytes(hex, back, sizeof back);
    if (std::memcmp(id, back, sizeof id) != 0)
        std::abort();
    return 0;
}
