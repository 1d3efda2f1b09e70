#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "tests/support.h"

namespace {

TEST(PosixPlatform, ExecutablePathIsThisProgramAndRefusesWhatDoesNotFit) {
  char buffer[4096];
  ASSERT_TRUE(PlatformExecutablePath(buffer, sizeof buffer));
  char expected[4096] = {};
  ASSERT_GT(readlink("/proc/self/exe", expected, sizeof expected - 1), 0);
  EXPECT_STREQ(buffer, expected);

  const size_t length = strlen(expected);
  char exact[4096];
  EXPECT_TRUE(PlatformExecutablePath(exact, length + 1));
  EXPECT_STREQ(exact, expected);
  char shorter[4096];
  memset(shorter, '#', sizeof shorter);
  EXPECT_FALSE(PlatformExecutablePath(shorter, length));
  EXPECT_STREQ(shorter, "");
  EXPECT_EQ(shorter[length], '#');
}

TEST(PosixPlatform, SleepIsNeverShorterEvenWhenSignalsInterruptIt) {
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigaction(SIGALRM, &action, nullptr);
  ualarm(5000, 5000);  // interrupts every 5 ms
  const uint64_t start = PlatformMonotonicMicros();
  PlatformSleep(60);
  const uint64_t elapsed = PlatformMonotonicMicros() - start;
  ualarm(0, 0);
  EXPECT_GE(elapsed, 60000u);
}

TEST(PosixPlatform, RedirectedOutputIsNotAConsole) {
  bool console = true;
  CaptureStdout([&] { console = PlatformOutputIsConsole(); });
  EXPECT_FALSE(console);
}

TEST(PosixPlatform, ClosedOutputPipeDoesNotKillTheProcess) {
  PlatformPrepareProcess();
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[0]);
  EXPECT_EQ(write(ends[1], "x", 1), -1);  // EPIPE instead of death
  close(ends[1]);
}

}  // namespace
