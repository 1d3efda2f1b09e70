#include "tests/fake_platform.h"

#include <string.h>

#include "platform/platform.h"
#include "platform/profile.h"

FakePlatform& Fake() {
  static FakePlatform fake;
  return fake;
}

const char kPlatformPathSeparator = '/';

void PlatformPrepareProcess() {}

bool PlatformExecutablePath(char* buffer, size_t capacity) {
  const std::string& path = Fake().executablePath;
  if (Fake().executablePathFails || path.size() >= capacity) {
    buffer[0] = '\0';
    return false;
  }
  memcpy(buffer, path.c_str(), path.size() + 1);
  return true;
}

uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
  return ProfileIntFromFile(section, key, fallback, path);
}

bool PlatformOutputIsConsole() { return Fake().outputIsConsole; }

void PlatformClearConsole() { ++Fake().clears; }

void PlatformSleep(uint32_t milliseconds) { Fake().sleeps.push_back(milliseconds); }

uint64_t PlatformMonotonicMicros() { return 0; }
