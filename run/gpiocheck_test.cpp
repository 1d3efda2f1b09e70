#include "run/gpiocheck.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "boardsim/boardsim.h"
#include "tests/fake_platform.h"
#include "tests/support.h"

namespace {

const char kBanner[] = "==============================================\n";
const char kSeparator[] = "--------------------------------------\n";

// A run in process against the simulated board, with the fake platform.
struct RunFixture : testing::Test {
  void SetUp() override {
    Fake() = FakePlatform();
    Fake().executablePath = (dir.path / "gpiocheck").string();
    WriteFile(dir.path / "GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=500\n");
  }

  // Runs with a simulator profile: the given sections after a [BOARD]
  // section that traces; a leading [BOARD] of their own joins it.
  std::string Run(std::string board) {
    const std::string header = "[BOARD]\n";
    if (board.compare(0, header.size(), header) == 0) board.erase(0, header.size());
    WriteFile(dir.path / "TovCoreSim.ini",
              header +
                  "Trace=trace.log\nVersion=3.1.4.15\nBIOSVersion=BIOS 1.0\n"
                  "PlatformName=TEST-BOARD\n" +
                  board);
    TovSimLoadProfile((dir.path / "TovCoreSim.ini").string().c_str());
    int status = -1;
    std::string out = CaptureStdout([&] { status = RunGpioCheck(); });
    EXPECT_EQ(status, 0);
    return out;
  }

  std::vector<std::string> Calls() { return TraceCalls(dir.path / "trace.log"); }

  // The lines between the two banners.
  static std::string Identification(const std::string& out) {
    const size_t banner = out.find(kBanner);
    if (banner == std::string::npos) return "<no banner>";
    const size_t first = banner + sizeof kBanner - 1;
    const size_t version = out.find('\n', first);
    const size_t closing = out.find(kBanner, first);
    if (version == std::string::npos || closing == std::string::npos || closing < version) return "<no second banner>";
    return out.substr(version + 1, closing - version - 1);
  }

  TempDir dir;
};

std::string Pins(const char* before, const char* low, const char* high, int gpio = 5, int delay = 500) {
  return std::string(kBanner) + "DLL Version [3.1.4.15]\nBIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n" + kBanner +
         "Get GPIO" + std::to_string(gpio) + "\nDELAYTIME = " + std::to_string(delay) + "\n\n" + "Currnet state\n" +
         kSeparator + before + "\n\nNew state before delay\n" + kSeparator + low + "\n\nNew state after delay\n" +
         kSeparator + high + "\n";
}

// Every call of a full run with pin 5, in order.
const std::vector<std::string> kFullCalls = {
    "TovLibDllGetVersion",
    "TovLibDllInit -> 1",
    "TovLibGetBIOSVersion null 0",
    "TovLibGetBIOSVersion buffer 8",
    "TovLibGetPlatformName null 0",
    "TovLibGetPlatformName buffer 10",
    "TovLibGetSioGpioValue 5",
    "TovLibSetSioGpioValue 5 16",
    "TovLibGetSioGpioValue 5",
    "TovLibSetSioGpioValue 5 32",
    "TovLibGetSioGpioValue 5",
    "TovLibDllUnInit",
};

// The first `count` calls of a full run, then the release.
std::vector<std::string> CallsThenRelease(size_t count) {
  std::vector<std::string> calls(kFullCalls.begin(), kFullCalls.begin() + static_cast<std::ptrdiff_t>(count));
  calls.push_back("TovLibDllUnInit");
  return calls;
}

TEST_F(RunFixture, FullRunPrintsTheWholeTranscriptAndLeavesThePinHigh) {
  EXPECT_EQ(Run("[PINS]\n5=8\n"), Pins("ESCORE_GPIO_INPUT_HIGH", "ESCORE_GPIO_OUTPUT_LOW", "ESCORE_GPIO_OUTPUT_HIGH"));
  EXPECT_EQ(Fake().clears, 1);
  EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>{500});
  EXPECT_EQ(Calls(), kFullCalls);
}

TEST_F(RunFixture, OnlyAConsoleIsCleared) {
  for (const bool console : {true, false}) {
    Fake().clears = 0;
    Fake().outputIsConsole = console;
    EXPECT_EQ(Run(""), Pins("ESCORE_GPIO_INPUT_LOW", "ESCORE_GPIO_OUTPUT_LOW", "ESCORE_GPIO_OUTPUT_HIGH"));
    EXPECT_EQ(Fake().clears, console ? 1 : 0);
  }
}

TEST_F(RunFixture, InterruptedWaitIsReportedOnStandardErrorAndTheRunFinishes) {
  Fake().waitInterrupted = true;
  std::string out;
  const std::string errors = CaptureStderr([&] { out = Run(""); });
  EXPECT_EQ(out, Pins("ESCORE_GPIO_INPUT_LOW", "ESCORE_GPIO_OUTPUT_LOW", "ESCORE_GPIO_OUTPUT_HIGH"));
  EXPECT_EQ(errors, "gpiocheck: wait cut short after 0 of 500 ms\n");
  const std::vector<std::string> calls = Calls();
  EXPECT_EQ(CallAt(calls, 9), "TovLibSetSioGpioValue 5 32");
  EXPECT_EQ(CallAt(calls, 11), "TovLibDllUnInit");
  EXPECT_EQ(Fake().finished, 1);
}

TEST_F(RunFixture, InterruptBeforeTheLowDriveTouchesNothingButTheRelease) {
  const std::string full = Pins("ESCORE_GPIO_INPUT_LOW", "ESCORE_GPIO_OUTPUT_LOW", "ESCORE_GPIO_OUTPUT_HIGH");
  const std::string version = std::string(kBanner) + "DLL Version [3.1.4.15]\n";
  const std::string bios = version + "BIOS Version [BIOS 1.0]\n";
  const std::string identified = bios + "Platform [TEST-BOARD]\n" + kBanner;
  // The run looks after each step up to the low drive; the interrupt is
  // seen from the given look on.
  const struct {
    int look;
    std::string out;
    size_t calls;  // of a full run, before the release
  } cases[] = {
      {1, version, 1},  // after the version query
      {2, version, 2},  // after the start
      {3, version, 3},  // after the BIOS version's size call
      {4, version, 4},  // after its fill call
      {5, bios, 4},     // after the BIOS version's query
      {6, bios, 5},     // the same for the platform name
      {7, bios, 6},
      {8, bios + "Platform [TEST-BOARD]\n", 6},
      {9, identified, 6},                                              // after the settings
      {10, full.substr(0, full.find("\nNew state before delay")), 7},  // after the first pin read
  };
  for (const auto& c : cases) {
    Fake().looks = 0;
    Fake().finished = 0;
    Fake().stopAtLook = c.look;
    std::string out;
    const std::string errors = CaptureStderr([&] { out = Run(""); });
    EXPECT_EQ(out, c.out) << c.look;
    EXPECT_EQ(Calls(), CallsThenRelease(c.calls)) << c.look;
    EXPECT_EQ(errors, "gpiocheck: interrupted before the pin was driven; the pin was not touched\n") << c.look;
    EXPECT_TRUE(Fake().sleeps.empty()) << c.look;
    EXPECT_EQ(Fake().finished, 1) << c.look;
  }
  // From the low drive on, an interrupt only shortens the wait.
  Fake().looks = 0;
  Fake().stopAtLook = 11;
  EXPECT_EQ(CaptureStderr([&] { EXPECT_EQ(Run(""), full); }), "");
}

TEST_F(RunFixture, InterruptDuringAFailingStartAsksForNoErrorCode) {
  Fake().stopAtLook = 2;
  std::string out;
  const std::string errors = CaptureStderr([&] { out = Run("[FAIL]\nInit=0x104\n"); });
  EXPECT_EQ(out, std::string(kBanner) + "DLL Version [3.1.4.15]\n");
  const std::vector<std::string> expected = {"TovLibDllGetVersion", "TovLibDllInit -> 0", "TovLibDllUnInit"};
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(errors, "gpiocheck: interrupted before the pin was driven; the pin was not touched\n");
}

TEST_F(RunFixture, FailedInitPrintsOneErrorLineAndStillReleasesTheLibrary) {
  EXPECT_EQ(Run("[FAIL]\nInit=0x101\n"),
            std::string(kBanner) + "DLL Version [3.1.4.15]\n(0x0101) ERRLIB_PLATFORM_UNSUPPORT\n");
  const std::vector<std::string> expected = {
      "TovLibDllGetVersion", "TovLibDllInit -> 0", "TovLibDllGetLastError -> 0x101", "TovLibDllUnInit"};
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(Fake().finished, 1);
  EXPECT_TRUE(Fake().sleeps.empty());
}

TEST_F(RunFixture, TextQueriesReportTheirFailuresAndNeverOverrun) {
  const struct {
    const char* what;
    const char* board;
    const char* identification;
  } cases[] = {
      {"size call fails with a correct length",
       "[FAIL]\nBIOSVersionSize=0x105\n",
       "(0x0105) ERRLIB_INVALID_PARAMETER\nBIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n"},
      {"fill call fails",
       "[FAIL]\nPlatformNameFill=0x109\n",
       "BIOS Version [BIOS 1.0]\n(0x0109) ERRLIB_THREAD_LOCKED\n"},
      {"both calls fail",
       "[FAIL]\nBIOSVersionSize=0x102\nBIOSVersionFill=0x103\n",
       "(0x0102) ERRLIB_API_UNSUPPORT\n(0x0103) ERRLIB_API_CURRENT_UNSUPPORT\nPlatform [TEST-BOARD]\n"},
      {"length counts the terminator",
       "[BOARD]\nLengthCountsZero=1\n",
       "BIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n"},
      {"fill writes no terminator", "[QUIRKS]\nTerminate=0\n", "BIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n"},
      {"fill writes one byte past the length and no terminator",
       "[QUIRKS]\nOverfill=1\n",
       "BIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n"},
      {"reported length shorter than the text",
       "[QUIRKS]\nPlatformNameLength=4\n",
       "BIOS Version [BIOS 1.0]\n(0x0108) ERRLIB_ARRAY_LENGTH_INSUFFICIENT\n"},
      {"largest length accepted",
       "[QUIRKS]\nBIOSVersionLength=65535\n",
       "BIOS Version [BIOS 1.0]\nPlatform [TEST-BOARD]\n"},
      {"huge length refused",
       "[QUIRKS]\nBIOSVersionLength=65536\n",
       "(0x0107) ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT\nPlatform [TEST-BOARD]\n"},
      {"length that would wrap refused",
       "[QUIRKS]\nPlatformNameLength=0xFFFFFFFF\n",
       "BIOS Version [BIOS 1.0]\n(0x0107) ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT\n"},
  };
  for (const auto& c : cases) {
    const std::string out = Run(c.board);
    EXPECT_EQ(Identification(out), c.identification) << c.what;
    EXPECT_NE(out.find("New state after delay\n"), std::string::npos) << c.what;
  }
}

TEST_F(RunFixture, RefusedLengthMakesNoFillCall) {
  Run("[QUIRKS]\nBIOSVersionLength=100000\n");
  const std::vector<std::string> calls = Calls();
  EXPECT_EQ(CallAt(calls, 2), "TovLibGetBIOSVersion null 0");
  EXPECT_EQ(CallAt(calls, 3), "TovLibGetPlatformName null 0");
}

TEST_F(RunFixture, UnfilledAnswersShowAsZero) {
  const std::string out = Run("[QUIRKS]\nFillVersion=0\nFillStatus=0\n");
  EXPECT_NE(out.find("DLL Version [0.0.0.0]\n"), std::string::npos);
  EXPECT_EQ(out.substr(out.find("Get GPIO")),
            "Get GPIO5\nDELAYTIME = 500\n\nCurrnet state\n" + std::string(kSeparator) + "UNKNOWN VALUE[0x00]\n\n" +
                "New state before delay\n" + kSeparator + "UNKNOWN VALUE[0x00]\n\nNew state after delay\n" +
                kSeparator + "UNKNOWN VALUE[0x00]\n");
}

TEST_F(RunFixture, PinThatDoesNotExistIsNotReported) {
  WriteFile(dir.path / "GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=9\nDELAYTIME=0\n");
  EXPECT_EQ(Run("[BOARD]\nPins=0-3\n"),
            Pins("UNKNOWN VALUE[0x00]", "UNKNOWN VALUE[0x00]", "UNKNOWN VALUE[0x00]", 9, 0));
}

TEST_F(RunFixture, DelayGoesToTheWaitAsAnUnsignedCountBoundedBelowAllOnes) {
  const struct {
    const char* value;
    uint32_t waited;
  } cases[] = {{"0", 0}, {"1", 1}, {"-2", 0xFFFFFFFEu}, {"-1", 0xFFFFFFFEu}, {"0xFFFFFFFF", 0xFFFFFFFEu}};
  for (const auto& c : cases) {
    WriteFile(dir.path / "GPIOSet.ini", std::string("[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=") + c.value + "\n");
    Fake().sleeps.clear();
    Run("");
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>{c.waited}) << c.value;
  }
}

TEST_F(RunFixture, NoSettingsFileExercisesPinZeroWithNoWait) {
  std::filesystem::remove(dir.path / "GPIOSet.ini");
  EXPECT_EQ(Run("[PINS]\n0=2\n"),
            Pins("ESCORE_GPIO_DISABLED", "ESCORE_GPIO_OUTPUT_LOW", "ESCORE_GPIO_OUTPUT_HIGH", 0, 0));
  EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>{0});
  EXPECT_EQ(CallAt(Calls(), 6), "TovLibGetSioGpioValue 0");
}

}  // namespace
