// The Linux profile reader against the Windows one: a table of settings
// files goes through the Windows probe program under Wine and through the
// Linux reader, and every value must agree.
//   profile_compare_tests PROBE_EXE RUNNER
#include <gtest/gtest.h>
#include <stdio.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support.h"

namespace {

std::string g_probe;
std::string g_runner;

struct Row {
  const char* what;
  std::string file;
};

std::vector<Row> Rows() {
  const std::string s = "[GPIOSETTINGS]\r\n";
  return {
      {"plain", s + "GPIO=5\r\nDELAYTIME=500\r\n"},
      {"letter case", "[gpioSettings]\r\ngpio=6\r\nDelayTime=7\r\n"},
      {"blanks around names", "  [  GPIOSETTINGS  ]  \r\n  GPIO  =  8  \r\n"},
      {"tabs around names", "\t[GPIOSETTINGS]\t\r\n\tGPIO\t=\t9\t\r\nDELAYTIME\t=10\r\n"},
      {"LF only", "[GPIOSETTINGS]\nGPIO=11\nDELAYTIME=12\n"},
      {"lone CR", "[GPIOSETTINGS]\rGPIO=13\rDELAYTIME=14\r"},
      {"no final line end", s + "GPIO=15"},
      {"UTF-8 mark", "\xEF\xBB\xBF" + s + "GPIO=16\r\n"},
      {"UTF-16LE mark", Utf16(s + "GPIO=17\r\nDELAYTIME=18\r\n", true)},
      {"UTF-16BE mark", Utf16(s + "GPIO=19\r\n", false)},
      {"plus sign", s + "GPIO=+20\r\n"},
      {"minus sign", s + "GPIO=-21\r\nDELAYTIME=-1\r\n"},
      {"hexadecimal", s + "GPIO=0x1f\r\nDELAYTIME=0x1F\r\n"},
      {"upper-case hexadecimal prefix", s + "GPIO=0X1F\r\n"},
      {"octal prefix", s + "GPIO=0o17\r\n"},
      {"binary prefix", s + "GPIO=0b101\r\n"},
      {"leading zeros", s + "GPIO=0010\r\n"},
      {"negative hexadecimal", s + "GPIO=-0x10\r\n"},
      {"prefix without digits", s + "GPIO=0x\r\n"},
      {"trailing text", s + "GPIO=22abc\r\nDELAYTIME=1.5\r\n"},
      {"inner blank", s + "GPIO=2 3\r\n"},
      {"no digits", s + "GPIO=abc\r\nDELAYTIME=-\r\n"},
      {"double quotes", s + "GPIO=\"24\"\r\n"},
      {"single quotes", s + "GPIO='25'\r\n"},
      {"quotes with blanks", s + "GPIO=\" 26 \"\r\n"},
      {"unmatched quote", s + "GPIO=\"27\r\n"},
      {"duplicate key", s + "GPIO=28\r\nGPIO=29\r\n"},
      {"duplicate section", s + "GPIO=30\r\n[OTHER]\r\nX=1\r\n" + s + "GPIO=31\r\nDELAYTIME=32\r\n"},
      {"other sections", "[A]\r\nGPIO=1\r\n" + s + "GPIO=33\r\n[B]\r\nDELAYTIME=2\r\n"},
      {"unclosed section header", "[OTHER]\r\n[GPIOSETTINGS\r\nGPIO=34\r\n"},
      {"text after the header", "[GPIOSETTINGS] trailing\r\nGPIO=35\r\n"},
      {"comment lines", s + ";GPIO=1\r\n  ; DELAYTIME=2\r\nGPIO=36\r\n"},
      {"value past 32 bits", s + "GPIO=4294967296\r\nDELAYTIME=99999999999\r\n"},
      {"largest 32-bit value", s + "GPIO=4294967295\r\nDELAYTIME=2147483648\r\n"},
      {"very long value", s + "GPIO=000000000000000000000000000000000000000042\r\n"},
      {"empty values", s + "GPIO=\r\nDELAYTIME=  \r\n"},
      {"key without equals sign", s + "GPIO\r\n"},
      {"key before any section", "GPIO=37\r\n" + s + "DELAYTIME=38\r\n"},
      {"section name is a prefix", "[GPIOSETTINGSX]\r\nGPIO=39\r\n"},
      {"misspelt section", "[GPIO_SETTINGS]\r\nGPIO=40\r\n"},
      {"equals sign in the value", s + "GPIO==41\r\n"},
      {"empty file", ""},
  };
}

TEST(ProfileReaderAgainstWindows, EveryFileReadsTheSame) {
  ASSERT_FALSE(g_probe.empty()) << "usage: profile_compare_tests PROBE_EXE RUNNER";
  TempDir dir;
  const std::vector<Row> rows = Rows();
  std::string command = g_runner + " '" + g_probe + "'";
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto path = dir.path / ("case" + std::to_string(i) + ".ini");
    WriteFile(path, rows[i].file);
    // Wine sees the Linux root as drive Z.
    std::string windows = "Z:" + path.string();
    for (char& c : windows) c = c == '/' ? '\\' : c;
    command += " '" + windows + "'";
  }
  command += " 2>/dev/null </dev/null";

  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char chunk[4096];
  size_t got = 0;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
  ASSERT_EQ(pclose(pipe), 0) << command;

  std::istringstream lines(output);
  for (size_t i = 0; i < rows.size(); ++i) {
    unsigned long windowsGpio = 0;
    unsigned long windowsDelay = 0;
    ASSERT_TRUE(lines >> windowsGpio >> windowsDelay) << "no answer for " << rows[i].what << " in:\n" << output;
    const std::string path = (dir.path / ("case" + std::to_string(i) + ".ini")).string();
    EXPECT_EQ(PlatformProfileInt("GPIOSETTINGS", "GPIO", 77, path.c_str()), windowsGpio) << rows[i].what;
    EXPECT_EQ(PlatformProfileInt("GPIOSETTINGS", "DELAYTIME", 77, path.c_str()), windowsDelay) << rows[i].what;
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc >= 3) {
    g_probe = argv[1];
    g_runner = argv[2];
  }
  return RUN_ALL_TESTS();
}
