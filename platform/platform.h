// The few operating-system operations the tool needs. One implementation per
// system (linux.cpp, win32.cpp); tests link their own in its place.
#ifndef GPIOCHECK_PLATFORM_PLATFORM_H
#define GPIOCHECK_PLATFORM_PLATFORM_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

// Capacity of the path buffers, terminating zero included: the system's own
// path limit. Windows paths travel as UTF-8, up to three bytes for each of
// its 260 UTF-16 units; the platform refuses one longer than 260 units.
#ifdef _WIN32
constexpr size_t kPlatformPathCapacity = 3 * 260;
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
// closing) is noted, and ends the wait early, instead of ending the process.
// A second one of the same kind ends the process as usual. An interrupt the
// caller ignores stays ignored.
void PlatformPrepareProcess();

// Whether an interrupt has come since PlatformPrepareProcess.
bool PlatformStopRequested();

// The run has closed the library: an interrupt that must not return before
// then (Windows' console close) may now let the process end.
void PlatformRunFinished();

// The running executable's full path, zero-terminated (UTF-8 on Windows,
// whatever the code page). False when the query fails or the path does not
// fit; the buffer then holds an empty text.
bool PlatformExecutablePath(char* buffer, size_t capacity);

// fopen, for a path as PlatformExecutablePath gives it.
FILE* PlatformOpenFile(const char* path, const char* mode);

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
