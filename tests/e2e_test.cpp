// The built program run as a user runs it: copied with the board library into
// a folder of its own, beside a GPIOSet.ini. The arguments name the build:
//   e2e_tests BUILD_DIR PROGRAM LIBRARY [RUNNER]   (RUNNER: say, wine)
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

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
    fs::copy_file(fs::path(build.dir) / build.exe, dir.path / build.exe);
    // The library may come from a folder of the build's own (stdcall/).
    fs::copy_file(fs::path(build.dir) / build.lib, dir.path / fs::path(build.lib).filename());
    Settings("[GPIOSETTINGS]\r\nGPIO=5\r\nDELAYTIME=20\r\n");
    Board("");
    // The working folder holds settings of its own that must never be read.
    fs::create_directories(dir.path / "elsewhere");
    WriteFile(dir.path / "elsewhere" / "GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=9\nDELAYTIME=9\n");
  }

  void Settings(const std::string& contents) { WriteFile(dir.path / "GPIOSet.ini", contents); }

  void Board(const std::string& extra) {
    WriteFile(dir.path / "TovCoreSim.ini",
              "[BOARD]\nTrace=trace.log\nVersion=1.2.3.4\nBIOSVersion=E2E BIOS 7\n"
              "PlatformName=E2E-BOARD\n[PINS]\n5=4\n" +
                  extra);
  }

  // Runs the program from another working folder.
  Result Run(const std::string& arguments = "", const std::string& pipeTo = "") {
    const std::string& runner = TheBuild().runner;
    const std::string program =
        (runner.empty() ? Quoted((dir.path / exe).string()) : runner + " " + Quoted((dir.path / exe).string()));
    const std::string out = (dir.path / "stdout.txt").string();
    std::string command = "cd " + Quoted((dir.path / "elsewhere").string()) + " && ";
    if (pipeTo.empty()) {
      command += program + " " + arguments + " > " + Quoted(out) + " 2> /dev/null < /dev/null";
    } else {
      // The program's own status, not the pipe reader's.
      command =
          "bash -c " + Quoted(command + program + " 2>/dev/null </dev/null | " + pipeTo + "; exit ${PIPESTATUS[0]}");
    }
    const int raw = system(command.c_str());
    Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ""};
    // The Windows console's line ends; any other carriage return stays and fails.
    const std::string printed = ReadFile(out);
    for (size_t i = 0; i < printed.size(); ++i) {
      if (printed[i] != '\r' || i + 1 >= printed.size() || printed[i + 1] != '\n') result.out += printed[i];
    }
    return result;
  }

  std::vector<std::string> Calls() { return TraceCalls(dir.path / "trace.log"); }

  uint64_t Stamp(const std::string& call) {
    const uint64_t stamp = TraceStamp(dir.path / "trace.log", call);
    EXPECT_NE(stamp, 0u) << "no " << call << " in the trace";
    return stamp;
  }

  TempDir dir;
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
    ASSERT_EQ(calls.size(), 12u);
    EXPECT_EQ(calls[7], "TovLibSetSioGpioValue 5 16");
    EXPECT_EQ(calls[9], "TovLibSetSioGpioValue 5 32");
    EXPECT_EQ(calls[11], "TovLibDllUnInit");
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
  fs::remove(dir.path / "GPIOSet.ini");
  const Result result = Run();
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("Get GPIO0\nDELAYTIME = 0\n"), std::string::npos);
  EXPECT_EQ(Calls()[6], "TovLibGetSioGpioValue 0");
}

TEST_F(EndToEnd, ClosedOutputPipeStillExitsZero) {
  Settings("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=300\n");
  EXPECT_EQ(Run("", "head -c 1 > /dev/null").status, 0);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc >= 4) TheBuild() = Build{argv[1], argv[2], argv[3], argc >= 5 ? argv[4] : ""};
  return RUN_ALL_TESTS();
}
