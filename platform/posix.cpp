#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/profile.h"

const char kPlatformPathSeparator = '/';

void PlatformPrepareProcess() { signal(SIGPIPE, SIG_IGN); }

bool PlatformExecutablePath(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  buffer[0] = '\0';
  const ssize_t got = readlink("/proc/self/exe", buffer, capacity);
  // A result that fills the buffer may have been cut short.
  if (got <= 0 || static_cast<size_t>(got) >= capacity) {
    buffer[0] = '\0';
    return false;
  }
  buffer[got] = '\0';
  return true;
}

uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
  return ProfileIntFromFile(section, key, fallback, path);
}

bool PlatformOutputIsConsole() { return isatty(STDOUT_FILENO) != 0; }

void PlatformClearConsole() {
  fputs("\033[H\033[2J\033[3J", stdout);
  fflush(stdout);
}

void PlatformSleep(uint32_t milliseconds) {
  if (milliseconds == 0) return;
  // The default 50 us of timer slack would be added to nearly every pulse.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  // An absolute deadline on the monotonic clock: a signal that interrupts the
  // wait cannot make it shorter or longer.
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += static_cast<time_t>(milliseconds / 1000u);
  deadline.tv_nsec += static_cast<long>(milliseconds % 1000u) * 1000000L;
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000L;
  }
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

uint64_t PlatformMonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}
