// Small conversions shared by the window and the preset files: the headset's unique
// id is 4 bytes in memory and 8 lower-case hex digits in file names and preset files.
#pragma once

#include <QString>

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

// Converts text in the local 8-bit encoding to wide characters, terminator included.
// When capacity (in wide characters) is too small, shows a warning with the text and
// returns the box's answer; else returns the number of wide characters written.
int ansiToWide(const char *text, wchar_t *wide, int capacity);

// Registers the font file's data with the font database and returns its first family
// name; empty when the file cannot be read or holds no family.
QString loadFontFamilyFromFile(const QString &path);

// Doubles the resolution of n values: value i goes to output 2i and the mean of values
// i and i+1 (rounded down) to 2i+1; the last odd position repeats the last value.
// Sets and returns outputCount (2n).
int &interpolateMidpoints(const unsigned char *values, int n, unsigned char *output, int &outputCount);
