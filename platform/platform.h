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

// POSIX only: opens any of the standard descriptors 0, 1 and 2 that is
// closed on the null device, so that no file opened later takes its place.
// The program does this before any library is initialised. Windows does not
// hand a closed standard handle to the next file opened.
void PlatformOpenStandardDescriptors();

// Puts the process into the state the run needs: a closed output pipe must
// not kill it, and an interrupt (Ctrl-C, a termination request, the console
// closing) ends the wait early instead of the process. A second one of the
// same kind ends the process as usual.
void PlatformPrepareProcess();

// The run has closed the library: an interrupt that must not return before
// then (Windows' console close) may now let the process end.
void PlatformRunFinished();

// The running executable's full path, zero-terminated. False when the query
// fails or the path does not fit; the buffer then holds an empty text.
bool PlatformExecutablePath(char* buffer, size_t capacity);

// Reads a whole regular file of at most `limit` bytes into memory the caller
// releases with free(). False, with nothing to release, for a file that is
// missing, unreadable, larger, or not a regular file (a FIFO, a device).
bool PlatformReadFile(const char* path, size_t limit, char** data, size_t* size);

// A key's value from a section of a profile file, or the default when the
// file, section or key is missing.
uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path);

// Whether standard output is the console the user is looking at, rather
// than a file or a pipe.
bool PlatformOutputIsConsole();

// Clears the console the user is looking at.
void PlatformClearConsole();

// Waits the given milliseconds, never less, from a deadline taken when it
// starts. False when an interrupt cut the wait short.
bool PlatformSleep(uint32_t milliseconds);

// A monotonic clock in microseconds.
uint64_t PlatformMonotonicMicros();

#endif
