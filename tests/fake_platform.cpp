#include "tests/fake_platform.h"

#include <string.h>

#include "platform/platform.h"
#include "platform/profile.h"
#include "tests/support.h"

FakePlatform& Fake() {
  static FakePlatform fake;
  return fake;
}

const char kPlatformPathSeparator = '/';

void PlatformPrepareProcess() {}

bool PlatformStopRequested() {
  ++Fake().looks;
  return Fake().stopAtLook > 0 && Fake().looks >= Fake().stopAtLook;
}

void PlatformRunFinished() { ++Fake().finished; }

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
  // A missing file reads as empty, which gives the default.
  const std::string contents = ReadFile(path);
  return ProfileIntFromData(contents.data(), contents.size(), section, key, fallback);
}

bool PlatformOutputIsConsole() { return Fake().outputIsConsole; }

void PlatformClearConsole() { ++Fake().clears; }

bool PlatformSleep(uint32_t milliseconds) {
  Fake().sleeps.push_back(milliseconds);
  return !Fake().waitInterrupted;
}

uint64_t PlatformMonotonicMicros() { return 0; }
