#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/fake_platform.h"
#include "tests/support.h"

namespace {

TEST(ComposePathBeside, CutsAfterTheLastSeparator) {
  const struct {
    const char* executable;
    char separator;
    const char* expected;
  } cases[] = {
      {"C:\\tools\\check.exe", '\\', "C:\\tools\\GPIOSet.ini"},
      {"C:\\check.exe", '\\', "C:\\GPIOSet.ini"},
      {"/opt/board/gpiocheck", '/', "/opt/board/GPIOSet.ini"},
      {"/opt/board/", '/', "/opt/board/GPIOSet.ini"},
      {"gpiocheck", '/', "GPIOSet.ini"},
      {"", '/', "GPIOSet.ini"},
      {"/opt/a\\b/gpiocheck", '/', "/opt/a\\b/GPIOSet.ini"},  // only the system's separator cuts
  };
  for (const auto& c : cases) {
    char buffer[260];
    EXPECT_TRUE(ComposePathBeside(c.executable, c.separator, kSettingsFileName, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, c.expected) << c.executable;
  }
}

TEST(ComposePathBeside, RefusesWhatDoesNotFitAndNeverWritesPastTheBuffer) {
  const std::string directory = "/" + std::string(40, 'd') + "/";
  const std::string executable = directory + "gpiocheck";
  const size_t exact = directory.size() + sizeof "GPIOSet.ini";  // terminator included
  for (size_t capacity : {exact + 1, exact, exact - 1, directory.size() + 1, directory.size(), size_t{1}}) {
    std::string buffer(capacity + 8, '#');
    const bool fits = capacity >= exact;
    EXPECT_EQ(ComposePathBeside(executable.c_str(), '/', kSettingsFileName, &buffer[0], capacity), fits) << capacity;
    EXPECT_EQ(buffer.substr(capacity), std::string(8, '#')) << "wrote past a buffer of " << capacity;
    EXPECT_EQ(buffer.substr(0, buffer.find('\0')), fits ? directory + "GPIOSet.ini" : "") << capacity;
  }
  char untouched = '#';
  EXPECT_FALSE(ComposePathBeside(executable.c_str(), '/', kSettingsFileName, &untouched, 0));
  EXPECT_EQ(untouched, '#');
}

struct SettingsFixture : testing::Test {
  void SetUp() override {
    Fake() = FakePlatform();
    Fake().executablePath = (dir.path / "gpiocheck").string();
  }
  TempDir dir;
};

TEST_F(SettingsFixture, ReadsBothKeysFromTheFileBesideTheExecutable) {
  WriteFile(dir.path / "GPIOSet.ini", "[GPIOSETTINGS]\r\nGPIO=12\r\nDELAYTIME=250\r\n");
  const GpioSettings settings = LoadGpioSettings();
  EXPECT_EQ(settings.gpio, 12);
  EXPECT_EQ(settings.delayTime, 250);
  char path[kPlatformPathCapacity];
  EXPECT_TRUE(SettingsPath(path, sizeof path));
  EXPECT_EQ(path, (dir.path / "GPIOSet.ini").string());
}

TEST_F(SettingsFixture, WhatIsMissingReadsAsZero) {
  const struct {
    const char* contents;  // null: no file at all
    int32_t gpio;
    int32_t delayTime;
  } cases[] = {
      {nullptr, 0, 0},
      {"[GPIOSETTINGS]\nGPIO=7\n", 7, 0},
      {"[GPIOSETTINGS]\nDELAYTIME=40\n", 0, 40},
      {"[GPIO_SETTINGS]\nGPIO=7\nDELAYTIME=40\n", 0, 0},
      {"[GPIOSETTINGS]\nGPIO=-3\nDELAYTIME=-1\n", -3, -1},  // no range test
  };
  for (const auto& c : cases) {
    std::filesystem::remove(dir.path / "GPIOSet.ini");
    if (c.contents != nullptr) WriteFile(dir.path / "GPIOSet.ini", c.contents);
    const GpioSettings settings = LoadGpioSettings();
    EXPECT_EQ(settings.gpio, c.gpio) << (c.contents ? c.contents : "no file");
    EXPECT_EQ(settings.delayTime, c.delayTime) << (c.contents ? c.contents : "no file");
  }
}

TEST_F(SettingsFixture, AnExecutablePathThatCannotBeHadReadsAsMissing) {
  WriteFile("GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=9\nDELAYTIME=9\n");  // a bare name must not be tried
  Fake().executablePathFails = true;
  const GpioSettings settings = LoadGpioSettings();
  std::filesystem::remove("GPIOSet.ini");
  EXPECT_EQ(settings.gpio, 0);
  EXPECT_EQ(settings.delayTime, 0);
  char path[kPlatformPathCapacity];
  EXPECT_FALSE(SettingsPath(path, sizeof path));
  EXPECT_STREQ(path, "");
}

TEST_F(SettingsFixture, APathThatDoesNotFitReadsAsMissing) {
  // The executable's path fits the system's limit; with the settings file's
  // name in place of its own, it does not.
  Fake().executablePath = "/" + std::string(kPlatformPathCapacity - 10, 'x') + "/gpio";
  char path[kPlatformPathCapacity];
  EXPECT_FALSE(SettingsPath(path, sizeof path));
  EXPECT_EQ(LoadGpioSettings().gpio, 0);
}

}  // namespace
