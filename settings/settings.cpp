#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

#include <vector>

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

std::string PathBesideExecutable(const char* fileName) {
  std::vector<char> executable(kPlatformPathCapacity);
  std::vector<char> composed(kPlatformPathCapacity);
  if (!PlatformExecutablePath(executable.data(), executable.size())) return std::string();
  if (!ComposePathBeside(executable.data(), kPlatformPathSeparator, fileName, composed.data(), composed.size())) {
    return std::string();
  }
  return std::string(composed.data());
}

std::string SettingsPath() { return PathBesideExecutable(kSettingsFileName); }

GpioSettings LoadGpioSettings() {
  GpioSettings settings{0, 0};
  const std::string path = SettingsPath();
  if (path.empty()) return settings;
  settings.gpio = static_cast<int32_t>(PlatformProfileInt("GPIOSETTINGS", "GPIO", 0, path.c_str()));
  settings.delayTime = static_cast<int32_t>(PlatformProfileInt("GPIOSETTINGS", "DELAYTIME", 0, path.c_str()));
  return settings;
}
