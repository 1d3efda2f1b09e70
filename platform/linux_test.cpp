#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "platform/profile.h"
#include "tests/support.h"

namespace {

TEST(LinuxPlatform, ExecutablePathIsThisProgramAndRefusesWhatDoesNotFit) {
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

TEST(LinuxPlatform, SleepIsNeverShorterEvenWhenSignalsInterruptIt) {
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

TEST(LinuxPlatform, OnlyARegularFileUpToTheLimitIsRead) {
  TempDir dir;
  const std::string settings = "[GPIOSETTINGS]\nGPIO=21\n";
  WriteFile(dir.path / "plain.ini", settings);
  WriteFile(dir.path / "oversized.ini", settings + std::string(kProfileFileLimit, ';'));
  WriteFile(dir.path / "at-limit.ini", settings + std::string(kProfileFileLimit - settings.size(), ';'));
  ASSERT_EQ(mkfifo((dir.path / "fifo.ini").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir.path / "zero.ini");
  std::filesystem::create_directory(dir.path / "folder.ini");
  const struct {
    const char* name;
    uint32_t expected;
  } cases[] = {{"plain.ini", 21},
               {"at-limit.ini", 21},
               {"oversized.ini", 3},
               {"fifo.ini", 3},  // would block a reader that waits for a writer
               {"zero.ini", 3},  // endless
               {"folder.ini", 3},
               {"absent.ini", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(PlatformProfileInt("GPIOSETTINGS", "GPIO", 3, (dir.path / c.name).c_str()), c.expected) << c.name;
  }
  char* data = nullptr;
  size_t size = 99;
  EXPECT_FALSE(PlatformReadFile((dir.path / "plain.ini").c_str(), settings.size() - 1, &data, &size));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
  ASSERT_TRUE(PlatformReadFile((dir.path / "plain.ini").c_str(), settings.size(), &data, &size));
  EXPECT_EQ(std::string(data, size), settings);
  free(data);
}

TEST(LinuxPlatform, ClosedStandardDescriptorsAreOpenedOnTheNullDevice) {
  const int saved = dup(STDIN_FILENO);
  close(STDIN_FILENO);
  PlatformOpenStandardDescriptors();
  const int next = open("/dev/null", O_RDONLY);
  EXPECT_GT(next, 2);  // nothing opened later lands on a standard descriptor
  close(next);
  dup2(saved, STDIN_FILENO);
  close(saved);
}

TEST(LinuxPlatform, StopSignalBeforeTheWaitEndsItAtOnceAndASecondEndsTheProcess) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  const uint64_t start = PlatformMonotonicMicros();
  const pid_t child = fork();
  if (child == 0) {
    PlatformPrepareProcess();
    kill(getpid(), SIGTERM);
    const char waited = PlatformSleep(10000) ? 'w' : 'c';
    if (write(ends[1], &waited, 1) != 1) _exit(3);
    kill(getpid(), SIGTERM);
    _exit(0);
  }
  close(ends[1]);
  char waited = 0;
  EXPECT_EQ(read(ends[0], &waited, 1), 1);
  close(ends[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(waited, 'c');
  EXPECT_LT(PlatformMonotonicMicros() - start, 5000000u);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

TEST(LinuxPlatform, RedirectedOutputIsNotAConsole) {
  bool console = true;
  CaptureStdout([&] { console = PlatformOutputIsConsole(); });
  EXPECT_FALSE(console);
}

TEST(LinuxPlatform, ClosedOutputPipeDoesNotKillTheProcess) {
  PlatformPrepareProcess();
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[0]);
  EXPECT_EQ(write(ends[1], "x", 1), -1);  // EPIPE instead of death
  close(ends[1]);
}

}  // namespace
