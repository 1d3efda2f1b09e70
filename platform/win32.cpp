#include <windows.h>
// after windows.h, whose types it uses
#include <mmsystem.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/platform.h"

const char kPlatformPathSeparator = '\\';

void PlatformPrepareProcess() {}

bool PlatformExecutablePath(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  const DWORD size = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
  const DWORD got = GetModuleFileNameA(nullptr, buffer, size);
  // A full buffer means the path was cut short (and XP leaves it unterminated).
  if (got == 0 || got >= size) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
  return GetPrivateProfileIntA(section, key, fallback, path);
}

bool PlatformOutputIsConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void PlatformClearConsole() {
  fflush(stdout);
  system("CLS");
}

void PlatformSleep(uint32_t milliseconds) {
  // The default 15.6 ms tick would stretch a short pulse several times over.
  timeBeginPeriod(1);
  const uint64_t deadline = PlatformMonotonicMicros() + static_cast<uint64_t>(milliseconds) * 1000u;
  Sleep(milliseconds);
  // Sleep may come back up to a tick early; make up the rest.
  for (uint64_t now = PlatformMonotonicMicros(); now < deadline; now = PlatformMonotonicMicros()) {
    Sleep(static_cast<DWORD>((deadline - now + 999u) / 1000u));
  }
  timeEndPeriod(1);
}

uint64_t PlatformMonotonicMicros() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const uint64_t ticks = static_cast<uint64_t>(now.QuadPart);
  const uint64_t perSecond = static_cast<uint64_t>(frequency.QuadPart);
  return ticks / perSecond * 1000000u + ticks % perSecond * 1000000u / perSecond;
}
