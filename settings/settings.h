// Where the settings file lies and what it says.
#ifndef GPIOCHECK_SETTINGS_SETTINGS_H
#define GPIOCHECK_SETTINGS_SETTINGS_H

#include <stddef.h>
#include <stdint.h>

struct GpioSettings {
  int32_t gpio;
  int32_t delayTime;
};

extern const char kSettingsFileName[];

// Puts a file name after the directory part of an executable's path (cut
// after the last separator; no separator leaves the bare name). False, with
// an empty text, when the result does not fit the buffer.
bool ComposePathBeside(const char* executablePath, char separator, const char* fileName, char* buffer, size_t capacity);

// The full path of a file beside the running executable. False, with an
// empty text, when the executable's path cannot be had or the result does
// not fit.
bool PathBesideExecutable(const char* fileName, char* buffer, size_t capacity);

// The settings file beside the running executable, into a buffer of
// kPlatformPathCapacity bytes (UTF-8 on Windows); false when there is none
// to be had.
bool SettingsPath(char* buffer, size_t capacity);

// The pin number and the delay; whatever is missing reads as 0.
GpioSettings LoadGpioSettings();

#endif
