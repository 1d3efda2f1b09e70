// A reader for profile files (bracketed sections of key=value lines) that
// follows the Windows profile reader's rules, so that one settings file
// means the same on every system. It works on bytes already read, in the
// caller's buffers.
#ifndef GPIOCHECK_PLATFORM_PROFILE_H
#define GPIOCHECK_PLATFORM_PROFILE_H

#include <stddef.h>
#include <stdint.h>

// How much of a value Windows reads as a number: it parses what fits a
// 30-character buffer.
const size_t kProfileNumberLength = 29;

// Far above any real settings file; anything larger reads as missing.
const size_t kProfileFileLimit = size_t{1024} * 1024;

// Finds a key in the bytes of a profile file (UTF-8, or UTF-16 with a byte
// order mark). Section and key names match without regard to letter case;
// only the first section of a name and the first key in it count. The value
// comes back trimmed, with one pair of surrounding quotes removed, cut to
// fit the buffer and always terminated.
bool ProfileFindValue(const char* data, size_t size, const char* section, const char* key, char* value,
                      size_t capacity);

// The Windows number rules: blanks, an optional sign, a 0x/0o/0b prefix or
// decimal, digits up to the first one that does not belong, modulo 2^32.
uint32_t ProfileParseInt(const char* text);

// A key's value read as a number, or the default when the value is missing
// or empty.
uint32_t ProfileIntFromData(const char* data, size_t size, const char* section, const char* key, int32_t fallback);

#endif
