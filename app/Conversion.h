// Small conversions shared by the window and the preset files: the headset's unique
// id is 4 bytes in memory and 8 lower-case hex digits in file names and preset files.
#pragma once

#include <cstddef>

// Writes n bytes as 2n lower-case hex digits and a terminating zero into text
// (which must hold at least 2n+1 chars). With n = 0 the text is left untouched.
void bytesToHexString(char *text, const unsigned char *bytes, int n);

// Decodes text two characters at a time into bytes (upper or lower case; an odd last
// digit is read alone). Stops at the end of the text or after capacity bytes, so a
// long text never writes past the buffer. A pair that is not hex stores 0.
void hexStringToBytes(const char *text, unsigned char *bytes, std::size_t capacity);

// Start-up hook; does nothing.
void initPlaceholder();
