#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/profile.h"

const char kPlatformPathSeparator = '/';

namespace {

// Wake-ups from a sleep to an absolute deadline came back 20-260 us late
// here (350 us with the other core busy), so the sleep ends this much early
// and the rest is spun on the clock. It bounds the CPU time a wait spins.
const uint64_t kSpinMarginMicros = 500;

const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int) { g_stopRequested = 1; }

// The stop signals the wait may take: those that still run our handler
// (not one the caller ignores, nor one a library has since taken over) and
// that nobody holds blocked. A blocked signal is queued, and so taken by the
// wait, even when its action is to ignore it.
sigset_t WaitableSignals(const sigset_t& blocked) {
  sigset_t set;
  sigemptyset(&set);
  for (const int signo : kStopSignals) {
    struct sigaction current {};
    if (sigaction(signo, nullptr, &current) == 0 && current.sa_handler == OnStopSignal &&
        sigismember(&blocked, signo) == 0) {
      sigaddset(&set, signo);
    }
  }
  return set;
}

timespec Timespec(uint64_t micros) {
  timespec t{};
  t.tv_sec = static_cast<time_t>(micros / 1000000u);
  t.tv_nsec = static_cast<long>(micros % 1000000u) * 1000L;
  return t;
}

// Sleeps until `until` on the monotonic clock, or until a stop signal. The
// signals are blocked while the stop flag is looked at and handed to the
// sleep itself, so one that comes in between is not missed.
void SleepUntil(uint64_t until) {
  sigset_t previous;
  sigprocmask(SIG_BLOCK, nullptr, &previous);
  const sigset_t stops = WaitableSignals(previous);
  sigprocmask(SIG_BLOCK, &stops, nullptr);
  for (uint64_t now = PlatformMonotonicMicros(); g_stopRequested == 0 && now < until; now = PlatformMonotonicMicros()) {
    // Unlike poll's, this timeout gets only the timer slack of 1 ns, not 0.1%.
    const timespec rest = Timespec(until - now);
    const int signo = sigtimedwait(&stops, nullptr, &rest);
    if (signo > 0) {
      // Taken here instead of by the handler, which would have reset itself:
      // a second one ends the process.
      g_stopRequested = 1;
      signal(signo, SIG_DFL);
    }
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace

void PlatformOpenStandardDescriptors() {
  // A descriptor left closed would be taken by the next file opened, and our
  // report would be written into it.
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      const int opened = open("/dev/null", O_RDWR);
      if (opened >= 0 && opened != fd) close(opened);  // only the lowest free one is of use
    }
  }
}

void PlatformPrepareProcess() {
  signal(SIGPIPE, SIG_IGN);
  // These stop the run as soon as the pin is safe; a second one ends the
  // process. Signals the caller ignores stay ignored, and one it holds
  // blocked never reaches the handler (nor the wait).
  for (const int signo : kStopSignals) {
    struct sigaction current {};
    if (sigaction(signo, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(signo, &action, nullptr);
  }
}

bool PlatformStopRequested() { return g_stopRequested != 0; }

void PlatformRunFinished() {}

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

FILE* PlatformOpenFile(const char* path, const char* mode) { return fopen(path, mode); }

bool PlatformReadFile(const char* path, size_t limit, char** data, size_t* size) {
  *data = nullptr;
  *size = 0;
  // Non-blocking, so that a FIFO cannot hold the run before it is refused.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) <= limit;
  // One byte past the size, so that a file at the limit that grew since
  // fstat is refused.
  const size_t capacity = ok ? static_cast<size_t>(info.st_size) + 1 : 0;
  char* buffer = ok ? static_cast<char*>(malloc(capacity)) : nullptr;
  ok = buffer != nullptr;
  while (ok && *size < capacity) {
    const ssize_t got = read(fd, buffer + *size, capacity - *size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    *size += static_cast<size_t>(got);
  }
  close(fd);
  if (!ok || *size > limit) {
    free(buffer);
    *size = 0;
    return false;
  }
  *data = buffer;
  return true;
}

uint32_t PlatformProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
  char* data = nullptr;
  size_t size = 0;
  if (!PlatformReadFile(path, kProfileFileLimit, &data, &size)) return static_cast<uint32_t>(fallback);
  const uint32_t value = ProfileIntFromData(data, size, section, key, fallback);
  free(data);
  return value;
}

bool PlatformOutputIsConsole() { return isatty(STDOUT_FILENO) != 0; }

void PlatformClearConsole() {
  fputs("\033[H\033[2J\033[3J", stdout);
  fflush(stdout);
}

bool PlatformSleep(uint32_t milliseconds) {
  if (milliseconds == 0) return true;
  // The default 50 us of timer slack would be added to nearly every pulse.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  const uint64_t length = static_cast<uint64_t>(milliseconds) * 1000u;
  const uint64_t deadline = PlatformMonotonicMicros() + length;
  if (length > kSpinMarginMicros) SleepUntil(deadline - kSpinMarginMicros);
  uint64_t now = PlatformMonotonicMicros();
  while (g_stopRequested == 0 && now < deadline) now = PlatformMonotonicMicros();
  return now >= deadline;
}

uint64_t PlatformMonotonicMicros() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}
