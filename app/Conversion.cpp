#include "app/Conversion.h"

#include <cstdio>
#include <cstdlib>

void bytesToHexString(char *text, const unsigned char *bytes, int n)
{
    for (int i = 0; i < n; ++i)
        std::snprintf(text + 2 * i, 3, "%02x", static_cast<unsigned>(bytes[i]));
}

void hexStringToBytes(const char *text, unsigned char *bytes, std::size_t capacity)
{
    for (std::size_t i = 0; i < capacity && text[2 * i] != '\0'; ++i) {
        const char pair[3] = {text[2 * i], text[2 * i + 1], '\0'};
        char *end = nullptr;
        const unsigned long value = std::strtoul(pair, &end, 16);
        bytes[i] = (end == pair) ? 0 : static_cast<unsigned char>(value & 0xFF);
        if (text[2 * i + 1] == '\0')
            break;
    }
}

void initPlaceholder() {}
