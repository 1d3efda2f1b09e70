// The built program run as a user runs it: copied with the board library into
// a folder of its own, beside a GPIOSet.ini. The arguments name the build:
//   e2e_tests BUILD_DIR PROGRAM LIBRARY [RUNNER]   (RUNNER: say, wine)
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;

const char kBanner[] = "==============================================\n";
const char kSeparator[] = "--------------------------------------\n";

struct Build {
  std::string dir;
  std::string exe;
  std::string lib;
  std::string runner;
};

Build& TheBuild() {
  static Build build;
  return build;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct Result {
  int status;
  std::string out;
};

struct EndToEnd : testing::Test {
  void SetUp() override {
    const Build& build = TheBuild();
    ASSERT_FALSE(build.dir.empty()) << "usage: e2e_tests BUILD_DIR PROGRAM LIBRARY [RUNNER]";
    exe = build.exe;
    home = dir.path;
    fs::copy_file(fs::path(build.dir) / build.exe, home / build.exe);
    // The library may come from a folder of the build's own (stdcall/).
    fs::copy_file(fs::path(build.dir) / build.lib, home / fs::path(build.lib).filename());
    Settings("[GPIOSETTINGS]\r\nGPIO=5\r\nDELAYTIME=20\r\n");
    Board("");
    // The working folder holds settings of its own that must never be read.
    fs::create_directories(dir.path / "elsewhere");
    WriteFile(dir.path / "elsewhere" / "GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=9\nDELAYTIME=9\n");
  }

  void Settings(const std::string& contents) { WriteFile(home / "GPIOSet.ini", contents); }

  void Board(const std::string& extra) {
    WriteFile(home / "TovCoreSim.ini",
              "[BOARD]\nTrace=trace.log\nVersion=1.2.3.4\nBIOSVersion=E2E BIOS 7\n"
              "PlatformName=E2E-BOARD\n[PINS]\n5=4\n" +
                  extra);
  }

  // Moves the program, its library and their files into a new folder of
  // the given name.
  void MoveHome(const std::string& name) {
    const fs::path folder = dir.path / fs::u8path(name);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(home)) {
      if (entry.is_regular_file()) fs::rename(entry.path(), folder / entry.path().filename());
    }
    home = folder;
  }

  // The shell command that runs the program from another working folder.
  // Wine takes the Windows code page from the locale, and needs a UTF-8 one,
  // as a user's desktop has, for folder names outside ASCII.
  std::string Command(const std::string& arguments, const std::string& redirections) {
    const std::string& runner = TheBuild().runner;
    const std::string program = Quoted((home / exe).string());
    return "cd " + Quoted((dir.path / "elsewhere").string()) + " && LC_ALL=" + locale + " exec " +
           (runner.empty() ? program : runner + " " + program) + " " + arguments + " " + redirections;
  }

  std::string Redirections() const {
    return "> " + Quoted((dir.path / "stdout.txt").string()) + " 2> " + Quoted((dir.path / "stderr.txt").string()) +
           " < /dev/null";
  }

  Result Run(const std::string& arguments = "") { return Finish(system(Command(arguments, Redirections()).c_str())); }

  // Runs the program with its standard output closed.
  Result RunWithoutStdout() {
    const std::string redirections = ">&- 2> " + Quoted((dir.path / "stderr.txt").string()) + " < /dev/null";
    return Finish(system(Command("", redirections).c_str()));
  }

  // Runs the program into a pipe whose reader stops after one byte; the
  // status is the program's own, not the reader's.
  Result RunIntoShortPipe() {
    const std::string command =
        "bash -c " + Quoted(Command("", "2>/dev/null </dev/null") + " | head -c 1 > /dev/null; exit ${PIPESTATUS[0]}");
    return Finish(system(command.c_str()));
  }

  // How the program may inherit a stop signal.
  enum Inherited { kHandled, kIgnored, kBlockedAndPending };

  // Starts the program in the background, with the signal as the caller
  // leaves it: ignored as nohup or a background job would, or blocked with
  // one already waiting; Wait() collects it.
  pid_t Start(Inherited inherited = kHandled, int signo = 0) {
    // What an earlier run printed or traced must not pass for this one's.
    fs::remove(dir.path / "stdout.txt");
    fs::remove(home / "trace.log");
    const std::string command = Command("", Redirections());
    const pid_t pid = fork();
    if (pid == 0) {
      if (inherited == kIgnored) signal(signo, SIG_IGN);
      if (inherited == kBlockedAndPending) {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signo);
        sigprocmask(SIG_BLOCK, &set, nullptr);
        raise(signo);
      }
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  }

  // Waits up to a minute for a started program; one that is still running
  // then is killed and counts as failed.
  Result Wait(pid_t pid) {
    int raw = 0;
    for (int i = 0; i < 6000 && waitpid(pid, &raw, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(pid, &raw, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &raw, 0);
      ADD_FAILURE() << "the program did not end within a minute";
      return Result{-1, Printed()};
    }
    return Finish(raw);
  }

  // Waits until the program has printed `text`; false when it ends first or
  // takes longer than half a minute.
  bool WaitForOutput(pid_t pid, const std::string& text) {
    return WaitFor(
        pid, [this] { return Printed(); }, text);
  }

  // The same for a line of the simulator's trace.
  bool WaitForTrace(pid_t pid, const std::string& text) {
    return WaitFor(
        pid, [this] { return ReadFile(home / "trace.log"); }, text);
  }

  bool WaitFor(pid_t pid, const std::function<std::string()>& read, const std::string& text) {
    for (int i = 0; i < 3000; ++i) {
      if (read().find(text) != std::string::npos) return true;
      int raw = 0;
      if (waitpid(pid, &raw, WNOHANG) != 0) return false;
      usleep(10000);
    }
    return false;
  }

  Result Finish(int raw) { return Result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Printed()}; }

  // What the program wrote to standard output so far.
  std::string Printed() { return WithoutCarriageReturns(ReadFile(dir.path / "stdout.txt")); }

  // Without the Windows console's line ends; any other carriage return stays
  // and fails.
  static std::string WithoutCarriageReturns(const std::string& printed) {
    std::string text;
    for (size_t i = 0; i < printed.size(); ++i) {
      if (printed[i] != '\r' || i + 1 >= printed.size() || printed[i + 1] != '\n') text += printed[i];
    }
    return text;
  }

  std::string Errors() { return WithoutCarriageReturns(ReadFile(dir.path / "stderr.txt")); }

  bool IsWindowsProgram() const { return exe.size() > 4 && exe.compare(exe.size() - 4, 4, ".exe") == 0; }

  std::vector<std::string> Calls() { return TraceCalls(home / "trace.log"); }

  uint64_t Stamp(const std::string& call) {
    const uint64_t stamp = TraceStamp(home / "trace.log", call);
    EXPECT_NE(stamp, 0u) << "no " << call << " in the trace";
    return stamp;
  }

  TempDir dir;
  fs::path home;                   // the program's folder
  std::string locale = "C.UTF-8";  // Wine's code page: 1252
  std::string exe;
};

const std::string kFullRun =
    std::string(kBanner) + "DLL Version [1.2.3.4]\nBIOS Version [E2E BIOS 7]\nPlatform [E2E-BOARD]\n" + kBanner +
    "Get GPIO5\nDELAYTIME = 20\n\nCurrnet state\n" + kSeparator + "ESCORE_GPIO_INPUT_LOW\n\nNew state before delay\n" +
    kSeparator + "ESCORE_GPIO_OUTPUT_LOW\n\nNew state after delay\n" + kSeparator + "ESCORE_GPIO_OUTPUT_HIGH\n";

TEST_F(EndToEnd, FullRunPrintsTheTranscriptExitsZeroAndIgnoresArguments) {
  for (const char* arguments : {"", "--help /? extra 42"}) {
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, 0) << arguments;
    EXPECT_EQ(result.out, kFullRun) << arguments;
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(calls.size(), 12u);
    EXPECT_EQ(CallAt(calls, 7), "TovLibSetSioGpioValue 5 16");
    EXPECT_EQ(CallAt(calls, 9), "TovLibSetSioGpioValue 5 32");
    EXPECT_EQ(CallAt(calls, 11), "TovLibDllUnInit");
  }
}

TEST_F(EndToEnd, PinIsHeldLowForTheWholeDelay) {
  Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=120\n");
  ASSERT_EQ(Run().status, 0);
  EXPECT_GE(Stamp("TovLibSetSioGpioValue 5 32") - Stamp("TovLibSetSioGpioValue 5 16"), 120000u);
}

TEST_F(EndToEnd, FailedInitEndsTheRunWithStatusZero) {
  Board("[FAIL]\nInit=0x104\n");
  const Result result = Run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string(kBanner) + "DLL Version [1.2.3.4]\n(0x0104) ERRLIB_LIB_INIT_FAIL\n");
  EXPECT_EQ(Calls().back(), "TovLibDllUnInit");
}

TEST_F(EndToEnd, NoSettingsFileExercisesPinZero) {
  fs::remove(home / "GPIOSet.ini");
  const Result result = Run();
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("Get GPIO0\nDELAYTIME = 0\n"), std::string::npos);
  EXPECT_EQ(CallAt(Calls(), 6), "TovLibGetSioGpioValue 0");
}

TEST_F(EndToEnd, ClosedOutputPipeStillExitsZero) {
  Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=300\n");
  EXPECT_EQ(RunIntoShortPipe().status, 0);
}

// The interrupts a platform turns into a stop: Wine turns SIGINT into the
// console's Ctrl-C; the other two have no Windows counterpart it would
// deliver.
std::vector<int> StopSignals(bool windows) {
  return windows ? std::vector<int>{SIGINT} : std::vector<int>{SIGINT, SIGTERM, SIGHUP};
}

const char kLowState[] = "New state before delay\n--------------------------------------\nESCORE_GPIO_OUTPUT_LOW\n";

TEST_F(EndToEnd, LowStateCanBeReadWhileThePinIsHeld) {
  Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=60000\n");
  const pid_t pid = Start();
  ASSERT_GT(pid, 0);
  const bool shown = WaitForOutput(pid, kLowState);
  int raw = 0;
  const bool running = waitpid(pid, &raw, WNOHANG) == 0;
  kill(pid, SIGKILL);
  waitpid(pid, &raw, 0);
  EXPECT_TRUE(shown) << Printed();
  EXPECT_TRUE(running) << "the program ended before the delay did";
}

TEST_F(EndToEnd, InterruptDuringTheWaitFinishesTheRunCleanly) {
  for (const int signo : StopSignals(IsWindowsProgram())) {
    Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=60000\n");
    const pid_t pid = Start();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitForOutput(pid, kLowState)) << signo;
    kill(pid, signo);
    const Result result = Wait(pid);
    EXPECT_EQ(result.status, 0) << signo;
    std::string expected = kFullRun;
    expected.replace(expected.find("DELAYTIME = 20"), 14, "DELAYTIME = 60000");
    EXPECT_EQ(result.out, expected) << signo;
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(CallAt(calls, 9), "TovLibSetSioGpioValue 5 32") << signo;
    EXPECT_EQ(CallAt(calls, 11), "TovLibDllUnInit") << signo;
    const std::string errors = Errors();
    EXPECT_EQ(errors.rfind("gpiocheck: wait cut short after ", 0), 0u) << errors;
    EXPECT_NE(errors.find(" of 60000 ms\n"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  }
}

TEST_F(EndToEnd, InterruptWhileTheLibraryStartsLeavesThePinUntouched) {
  Board("[QUIRKS]\nInitMillis=2000\n");
  for (const int signo : StopSignals(IsWindowsProgram())) {
    const pid_t pid = Start();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitForTrace(pid, "TovLibDllInit waits 2000 ms")) << signo;
    kill(pid, signo);
    const Result result = Wait(pid);
    EXPECT_EQ(result.status, 0) << signo;
    EXPECT_EQ(result.out, std::string(kBanner) + "DLL Version [1.2.3.4]\n") << signo;
    const std::vector<std::string> calls = {
        "TovLibDllGetVersion", "TovLibDllInit waits 2000 ms", "TovLibDllInit -> 1", "TovLibDllUnInit"};
    EXPECT_EQ(Calls(), calls) << signo;
    EXPECT_EQ(Errors(), "gpiocheck: interrupted before the pin was driven; the pin was not touched\n") << signo;
  }
}

TEST_F(EndToEnd, BooleanResultsAreReadFromTheLowByteOnly) {
  // The library leaves noise above the low byte of every boolean result.
  Board("[QUIRKS]\nNoisyBool=1\n[FAIL]\nPlatformNameFill=0x109\n");
  std::string expected = kFullRun;
  expected.replace(expected.find("Platform [E2E-BOARD]\n"), 21, "(0x0109) ERRLIB_THREAD_LOCKED\n");
  Result result = Run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, expected);

  Board("[QUIRKS]\nNoisyBool=1\n[FAIL]\nInit=0x104\n");
  result = Run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string(kBanner) + "DLL Version [1.2.3.4]\n(0x0104) ERRLIB_LIB_INIT_FAIL\n");
  EXPECT_EQ(Calls().back(), "TovLibDllUnInit");
}

TEST_F(EndToEnd, FolderNameOutsideTheWindowsCodePageStillFindsTheSettings) {
  MoveHome("ゲート表 功許 test");
  // A user may rename the program; here its name ends in a character whose
  // second byte in code page 932 is a backslash, after the last real one.
  const std::string renamed = IsWindowsProgram() ? "点検表.exe" : "点検表";
  fs::rename(home / exe, home / fs::u8path(renamed));
  exe = renamed;
  Settings("[GPIOSETTINGS]\r\nGPIO=7\r\nDELAYTIME=30\r\n");
  // Code pages 1252 (none of these characters), 932 (表 ends in a
  // backslash byte) and 950 (功 and 許 do).
  for (const char* codePage : {"C.UTF-8", "ja_JP.UTF-8", "zh_TW.UTF-8"}) {
    locale = codePage;
    const Result result = Run();
    EXPECT_EQ(result.status, 0) << codePage;
    EXPECT_NE(result.out.find("Get GPIO7\nDELAYTIME = 30\n"), std::string::npos) << codePage << ":\n" << result.out;
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(CallAt(calls, 7), "TovLibSetSioGpioValue 7 16") << codePage;
    EXPECT_EQ(CallAt(calls, 9), "TovLibSetSioGpioValue 7 32") << codePage;
  }
}

TEST_F(EndToEnd, WindowsPathLimitIsKept) {
  if (!IsWindowsProgram()) GTEST_SKIP() << "the limit of Windows paths";
  // Wine shows the program's Linux path behind the drive Z:. A path of 259
  // characters fits the 260 of Windows with its terminating zero; one more
  // is refused, and the settings then read as missing.
  const size_t drive = 2;  // "Z:"
  for (const size_t length : {259, 260}) {
    const size_t folder = length - drive - 1 - exe.size();
    std::string relative = "limit" + std::to_string(length);
    const auto folderSize = [&] { return dir.path.string().size() + 1 + relative.size(); };
    while (folderSize() < folder) {
      // One more separator and a name of at most 200 characters; never
      // leave a single one over, which would make an empty name.
      const size_t rest = folder - folderSize() - 1;
      relative += "/" + std::string(rest > 200 ? (rest - 200 < 2 ? 150 : 200) : rest, 'd');
    }
    MoveHome(relative);
    ASSERT_EQ(drive + (home / exe).string().size(), length);
    const Result result = Run();
    EXPECT_EQ(result.status, 0) << length;
    const std::string settings = length < 260 ? "Get GPIO5\nDELAYTIME = 20\n" : "Get GPIO0\nDELAYTIME = 0\n";
    EXPECT_NE(result.out.find(settings), std::string::npos) << length << ":\n" << result.out;
  }
}

// What follows relies on POSIX behaviour: descriptors, FIFOs, the Linux settings reader.

using EndToEndPosix = EndToEnd;

TEST_F(EndToEndPosix, ClosedStandardOutputLeavesTheLibrarysFilesAlone) {
  EXPECT_EQ(RunWithoutStdout().status, 0);
  const std::string trace = ReadFile(home / "trace.log");
  EXPECT_EQ(trace.find("DLL Version"), std::string::npos) << trace;
  EXPECT_EQ(Calls().size(), 12u) << trace;
}

TEST_F(EndToEndPosix, IgnoredOrBlockedStopSignalsLeaveThePulseWhole) {
  Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=1000\n");
  std::string expected = kFullRun;
  expected.replace(expected.find("DELAYTIME = 20"), 14, "DELAYTIME = 1000");
  const struct {
    Inherited inherited;
    int signo;
  } cases[] = {{kIgnored, SIGHUP}, {kIgnored, SIGINT}, {kBlockedAndPending, SIGTERM}};
  for (const auto& c : cases) {
    const pid_t pid = Start(c.inherited, c.signo);
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitForOutput(pid, kLowState)) << c.signo;
    // Twice: the first must not turn the second into a fatal one.
    kill(pid, c.signo);
    usleep(50000);
    kill(pid, c.signo);
    const Result result = Wait(pid);
    EXPECT_EQ(result.status, 0) << c.signo;
    EXPECT_EQ(result.out, expected) << c.signo;
    EXPECT_EQ(Errors(), "") << c.signo;
    EXPECT_GE(Stamp("TovLibSetSioGpioValue 5 32") - Stamp("TovLibSetSioGpioValue 5 16"), 1000000u) << c.signo;
  }
}

TEST_F(EndToEndPosix, SettingsThatAreNoRegularFileOrTooLargeReadAsMissing) {
  const std::string settings = "[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=20\n";
  const struct {
    const char* what;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"FIFO", [](const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
      {"link to /dev/zero", [](const fs::path& path) { fs::create_symlink("/dev/zero", path); }},
      {"oversized",
       [&](const fs::path& path) { WriteFile(path, settings + std::string(size_t{2} * 1024 * 1024, ';')); }},
  };
  for (const auto& c : cases) {
    fs::remove(home / "GPIOSet.ini");
    c.make(home / "GPIOSet.ini");
    const Result result = Run();
    EXPECT_EQ(result.status, 0) << c.what;
    EXPECT_NE(result.out.find("Get GPIO0\nDELAYTIME = 0\n"), std::string::npos) << c.what << ":\n" << result.out;
    EXPECT_EQ(CallAt(Calls(), 6), "TovLibGetSioGpioValue 0") << c.what;
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc >= 4) TheBuild() = Build{argv[1], argv[2], argv[3], argc >= 5 ? argv[4] : ""};
  return RUN_ALL_TESTS();
}
