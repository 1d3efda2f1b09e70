#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

#include "platform/platform.h"
#include "platform/profile.h"

const char kPlatformPathSeparator = '\\';

// Windows 10 1803 and later; older headers lack it.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

// The timed wait ends this much before the deadline and the rest is spun on
// the performance counter: a high-resolution timer and a wait at 1 ms
// resolution both come back within it. It bounds the CPU time a wait spins.
const uint64_t kSpinMarginMicros = 2000;
// Without a high-resolution timer, waits at the default 15.6 ms tick may come
// back a tick late; only this last stretch runs at 1 ms resolution, since
// raising it is a change to the whole system on older Windows.
const uint64_t kFineStretchMicros = 40000;

HANDLE g_stopEvent = nullptr;      // set by an interrupt; ends the wait
HANDLE g_finishedEvent = nullptr;  // set when the run has closed the library
volatile LONG g_stopRequested = 0;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  const bool again = InterlockedExchange(&g_stopRequested, 1) != 0;
  // A second Ctrl-C or Ctrl-Break goes to the default handler, which ends
  // the process.
  if (again && event != CTRL_CLOSE_EVENT) return FALSE;
  SetEvent(g_stopEvent);
  // Windows ends the process when this returns: let the run close the
  // library first.
  if (event == CTRL_CLOSE_EVENT) WaitForSingleObject(g_finishedEvent, 5000);
  return TRUE;
}

bool Stopped() { return InterlockedCompareExchange(&g_stopRequested, 0, 0) != 0; }

// Windows' own path limit, in UTF-16 units, terminating zero included.
const DWORD kWidePathCapacity = MAX_PATH;

// A UTF-8 path as UTF-16 for the wide operations; false when it does not
// fit the Windows path limit.
bool WidePath(const char* path, wchar_t (&wide)[kWidePathCapacity]) {
  return MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, kWidePathCapacity) != 0;
}

// Waits on the stop event for whole milliseconds until `until`.
void WaitCoarse(uint64_t until) {
  for (uint64_t now = PlatformMonotonicMicros(); !Stopped() && now < until; now = PlatformMonotonicMicros()) {
    const uint64_t rest = (until - now) / 1000u;
    const DWORD wait = rest > 0xFFFFFFF0u ? 0xFFFFFFF0u : rest == 0 ? 1 : static_cast<DWORD>(rest);
    if (g_stopEvent != nullptr) {
      WaitForSingleObject(g_stopEvent, wait);
    } else {
      Sleep(wait);
    }
  }
}

typedef HANDLE(WINAPI* CreateTimerEx)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);

// Waits until `until` on a high-resolution timer; false when none can be had.
bool WaitOnTimer(uint64_t until) {
  // Looked up rather than imported, so that the program still starts on a
  // Windows older than Vista, which lacks it.
  const CreateTimerEx create = reinterpret_cast<CreateTimerEx>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateWaitableTimerExW")));
  if (create == nullptr) return false;
  HANDLE timer = create(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer == nullptr) return false;
  const uint64_t now = PlatformMonotonicMicros();
  LARGE_INTEGER due;
  due.QuadPart = -static_cast<LONGLONG>((until > now ? until - now : 0) * 10u);  // relative, in 100 ns
  bool ok = SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != 0;
  if (ok) {
    HANDLE handles[2] = {timer, g_stopEvent};
    ok = WaitForMultipleObjects(g_stopEvent != nullptr ? 2 : 1, handles, FALSE, INFINITE) != WAIT_FAILED;
  }
  CloseHandle(timer);
  return ok;
}

typedef UINT(WINAPI* TimePeriod)(UINT);

struct TimePeriods {
  TimePeriod begin;
  TimePeriod end;
};

// timeBeginPeriod and timeEndPeriod, looked up once. winmm.dll is not one of
// Windows' known DLLs: by its bare name, at load time too, it and then what
// it loads in turn would be looked for in the program's folder first. So it
// is loaded by its full path, with its own folder searched for the rest.
// Only the fallback wait needs them.
TimePeriods WinmmTimePeriods() {
  static const TimePeriods periods = [] {
    TimePeriods found{nullptr, nullptr};
    wchar_t path[MAX_PATH + 16];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return found;
    wcscpy(path + length, L"\\winmm.dll");
    const HMODULE winmm = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (winmm == nullptr) return found;
    found.begin = reinterpret_cast<TimePeriod>(reinterpret_cast<void (*)()>(GetProcAddress(winmm, "timeBeginPeriod")));
    found.end = reinterpret_cast<TimePeriod>(reinterpret_cast<void (*)()>(GetProcAddress(winmm, "timeEndPeriod")));
    return found;
  }();
  return periods;
}

}  // namespace

void PlatformPrepareProcess() {
  g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_finishedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (g_stopEvent != nullptr && g_finishedEvent != nullptr) SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void PlatformRunFinished() {
  if (g_finishedEvent != nullptr) SetEvent(g_finishedEvent);
}

bool PlatformStopRequested() { return Stopped(); }

// The wide operations see every folder name; the ANSI ones put '?' for what
// the code page cannot express, and on double-byte code pages a backslash
// byte may be the second half of a character.
bool PlatformExecutablePath(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  buffer[0] = '\0';
  wchar_t wide[kWidePathCapacity];
  const DWORD got = GetModuleFileNameW(nullptr, wide, kWidePathCapacity);
  // A full buffer means the path was cut short (and XP leaves it unterminated).
  if (got == 0 || got >= kWidePathCapacity) return false;
  // No UTF-8 form of a Windows path needs more.
  const int size = static_cast<int>(capacity < kPlatformPathCapacity ? capacity : kPlatformPathCapacity);
  // Flags 0: Windows before Vista takes no other for UTF-8.
  if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, buffer, size, nullptr, nullptr) == 0) {
    buffer[0] = '\0';
    return false;
  }
  return true;
}

FILE* PlatformOpenFile(const char* path, const char* mode) {
  wchar_t widePath[kWidePathCapacity];
  wchar_t wideMode[8];
  if (!WidePath(path, widePath) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) == 0) return nullptr;
  return _wfopen(widePath, wideMode);
}

bool PlatformReadFile(const char* path, size_t limit, char** data, size_t* size) {
  *data = nullptr;
  *size = 0;
  FILE* file = PlatformOpenFile(path, "rb");
  if (file == nullptr) return false;
  // One byte more than the limit shows a file that is larger.
  char* buffer = static_cast<char*>(malloc(limit + 1));
  const size_t got = buffer != nullptr ? fread(buffer, 1, limit + 1, file) : 0;
  const bool ok = buffer != nullptr && ferror(file) == 0 && got <= limit;
  fclose(file);
  if (!ok) {
    free(buffer);
    return false;
  }
  *data = buffer;
  *size = got;
  return true;
}

uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
  wchar_t widePath[kWidePathCapacity];
  wchar_t wideSection[64];
  wchar_t wideKey[64];
  // A path past the Windows limit is refused, as the ANSI reader's buffer would.
  if (!WidePath(path, widePath) || MultiByteToWideChar(CP_UTF8, 0, section, -1, wideSection, 64) == 0 ||
      MultiByteToWideChar(CP_UTF8, 0, key, -1, wideKey, 64) == 0) {
    return static_cast<uint32_t>(fallback);
  }
  return GetPrivateProfileIntW(wideSection, wideKey, fallback, widePath);
}

bool PlatformOutputIsConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void PlatformClearConsole() {
  fflush(stdout);
  system("CLS");
}

bool PlatformSleep(uint32_t milliseconds) {
  if (milliseconds == 0) return true;
  const uint64_t length = static_cast<uint64_t>(milliseconds) * 1000u;
  const uint64_t deadline = PlatformMonotonicMicros() + length;
  if (length > kSpinMarginMicros) {
    const uint64_t until = deadline - kSpinMarginMicros;
    if (!WaitOnTimer(until)) {
      if (length > kSpinMarginMicros + kFineStretchMicros) WaitCoarse(until - kFineStretchMicros);
      const TimePeriods periods = WinmmTimePeriods();
      const bool fine = periods.begin != nullptr && periods.end != nullptr && periods.begin(1) == 0;  // TIMERR_NOERROR
      WaitCoarse(until);
      if (fine) periods.end(1);
    }
  }
  uint64_t now = PlatformMonotonicMicros();
  while (!Stopped() && now < deadline) now = PlatformMonotonicMicros();
  return now >= deadline;
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
