// The few operating-system operations the tool needs. One implementation per
// system (posix.cpp, win32.cpp); tests link their own in its place.
#ifndef GPIOCHECK_PLATFORM_PLATFORM_H
#define GPIOCHECK_PLATFORM_PLATFORM_H

#include <stddef.h>
#include <stdint.h>

// Capacity of the path buffers, terminating zero included: the system's own
// path limit.
#ifdef _WIN32
constexpr size_t kPlatformPathCapacity = 260;
#else
constexpr size_t kPlatformPathCapacity = 4096;
#endif
// The separator at which a directory part is cut.
extern const char kPlatformPathSeparator;

// Puts the process into the state the run needs (a closed output pipe must
// not kill it).
void PlatformPrepareProcess();

// The running executable's full path, zero-terminated. False when the query
// fails or the path does not fit; the buffer then holds an empty text.
bool PlatformExecutablePath(char* buffer, size_t capacity);

// A key's value from a section of a profile file, or the default when the
// file, section or key is missing.
uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path);

// Whether standard output is the console the user is looking at, rather
// than a file or a pipe.
bool PlatformOutputIsConsole();

// Clears the console the user is looking at.
void PlatformClearConsole();

// Waits the given milliseconds; never returns early.
void PlatformSleep(uint32_t milliseconds);

// A monotonic clock in microseconds.
uint64_t PlatformMonotonicMicros();

#endif
