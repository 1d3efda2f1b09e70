// A reader for profile files (bracketed sections of key=value lines) that
// follows the Windows profile reader's rules, so that one settings file
// means the same on every system.
#ifndef GPIOCHECK_PLATFORM_PROFILE_H
#define GPIOCHECK_PLATFORM_PROFILE_H

#include <stddef.h>
#include <stdint.h>

#include <string>

// Finds a key in the bytes of a profile file. Section and key names match
// without regard to letter case; only the first section of a name and the
// first key in it count. The value comes back trimmed, with one pair of
// surrounding quotes removed.
bool ProfileFindValue(const char* data, size_t size, const char* section, const char* key, std::string* value);

// The Windows number rules: blanks, an optional sign, a 0x/0o/0b prefix or
// decimal, digits up to the first one that does not belong, modulo 2^32.
uint32_t ProfileParseInt(const std::string& text);

// How much of a value is read as a number; the rest is ignored.
const size_t kProfileNumberLength = 29;

// A key's value read as a number, or the default when the value is missing
// or empty.
uint32_t ProfileIntFromData(const char* data, size_t size, const char* section, const char* key, int32_t fallback);

// The same from a file; a file that cannot be read gives the default.
uint32_t ProfileIntFromFile(const char* section, const char* key, int32_t fallback, const char* path);

// Reads a whole file; false when it cannot be read.
bool ProfileReadFile(const char* path, std::string* contents);

#endif
