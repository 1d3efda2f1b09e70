#include "settings/settings.h"

#include <string.h>

#include "platform/platform.h"

const char kSettingsFileName[] = "GPIOSet.ini";

bool ComposePathBeside(const char* executablePath, char separator, const char* fileName, char* buffer,
                       size_t capacity) {
  if (capacity == 0) return false;
  const char* lastSeparator = strrchr(executablePath, separator);
  const size_t directoryLength = lastSeparator == nullptr ? 0 : static_cast<size_t>(lastSeparator - executablePath) + 1;
  const size_t nameLength = strlen(fileName);
  if (directoryLength >= capacity || nameLength >= capacity - directoryLength) {
    buffer[0] = '\0';
    return false;
  }
  memcpy(buffer, executablePath, directoryLength);
  memcpy(buffer + directoryLength, fileName, nameLength + 1);
  return true;
}

bool PathBesideExecutable(const char* fileName, char* buffer, size_t capacity) {
  char executable[kPlatformPathCapacity];
  if (!PlatformExecutablePath(executable, sizeof executable)) {
    if (capacity > 0) buffer[0] = '\0';
    return false;
  }
  return ComposePathBeside(executable, kPlatformPathSeparator, fileName, buffer, capacity);
}

bool SettingsPath(char* buffer, size_t capacity) { return PathBesideExecutable(kSettingsFileName, buffer, capacity); }

GpioSettings LoadGpioSettings() {
  GpioSettings settings{0, 0};
  char path[kPlatformPathCapacity];
  if (!SettingsPath(path, sizeof path)) return settings;
  settings.gpio = static_cast<int32_t>(PlatformProfileInt("GPIOSETTINGS", "GPIO", 0, path));
  settings.delayTime = static_cast<int32_t>(PlatformProfileInt("GPIOSETTINGS", "DELAYTIME", 0, path));
  return settings;
}
