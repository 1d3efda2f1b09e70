#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support.h"

namespace {

// The value GPIO in section GPIOSETTINGS reads as, with default 77.
uint32_t Gpio(const std::string& file) {
  return ProfileIntFromData(file.data(), file.size(), "GPIOSETTINGS", "GPIO", 77);
}

TEST(ProfileReader, FindsValuesByTheWindowsRules) {
  const struct {
    const char* what;
    std::string file;
    uint32_t expected;
  } cases[] = {
      {"plain", "[GPIOSETTINGS]\nGPIO=5\n", 5},
      {"letter case of names", "[gpioSettings]\ngpio=6\n", 6},
      {"blanks and tabs", "  [ GPIOSETTINGS ]  \n\t GPIO \t=\t 7 \t\n", 7},
      {"CRLF", "[GPIOSETTINGS]\r\nGPIO=8\r\n", 8},
      {"lone CR", "[GPIOSETTINGS]\rGPIO=9\r", 9},
      {"no final line end", "[GPIOSETTINGS]\nGPIO=10", 10},
      {"UTF-8 mark", "\xEF\xBB\xBF[GPIOSETTINGS]\nGPIO=11\n", 11},
      {"UTF-16LE mark", Utf16("[GPIOSETTINGS]\r\nGPIO=12\r\n", true), 12},
      {"UTF-16BE mark", Utf16("[GPIOSETTINGS]\nGPIO=22\n", false), 22},
      {"comment", "[GPIOSETTINGS]\n;GPIO=1\nGPIO=13\n", 13},
      {"first key counts", "[GPIOSETTINGS]\nGPIO=14\nGPIO=1\n", 14},
      {"first section counts", "[GPIOSETTINGS]\nDELAYTIME=1\n[GPIOSETTINGS]\nGPIO=1\n", 77},
      {"other sections ignored", "[OTHER]\nGPIO=1\n[GPIOSETTINGS]\nGPIO=15\n", 15},
      {"key before any section", "GPIO=1\n[GPIOSETTINGS]\n", 77},
      {"unclosed header is no header", "[OTHER]\n[GPIOSETTINGS\nGPIO=1\n", 77},
      {"double quotes", "[GPIOSETTINGS]\nGPIO=\"16\"\n", 16},
      {"single quotes", "[GPIOSETTINGS]\nGPIO='17'\n", 17},
      {"one pair of quotes only", "[GPIOSETTINGS]\nGPIO=\"\"18\"\"\n", 0},
      {"missing key", "[GPIOSETTINGS]\nDELAYTIME=1\n", 77},
      {"key without equals sign", "[GPIOSETTINGS]\nGPIO\n", 77},
      {"empty value", "[GPIOSETTINGS]\nGPIO=\n", 77},
      {"empty file", "", 77},
      {"only 29 characters count", "[GPIOSETTINGS]\nGPIO=\"0000000000000000000000000001234\"\n", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(Gpio(c.file), c.expected) << c.what;
}

TEST(ProfileReader, ReadsNumbersByTheWindowsRules) {
  const struct {
    const char* text;
    uint32_t expected;
  } cases[] = {
      {"42", 42},
      {"+42", 42},
      {"-42", 0u - 42u},
      {"0x1F", 31},
      {"0X1F", 0},  // only lower-case prefixes
      {"0o17", 15},
      {"0b101", 5},
      {"0x", 0},
      {"12abc", 12},
      {"0x1Fg", 31},
      {"0b102", 2},
      {"abc", 0},
      {"-", 0},
      {"4294967295", 4294967295u},
      {"4294967296", 0},  // modulo 2^32
      {"99999999999", 99999999999ull % 4294967296ull},
      {"-0x10", 0u - 16u},
      {"1 2", 1},
      {"007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(ProfileParseInt(c.text), c.expected) << c.text;
}

TEST(ProfileReader, ValuesAreTrimmedUnquotedAndCutToTheBuffer) {
  const std::string file = "[A]\nB = \" x y \" \nC=abcdef\n";
  char value[8];
  EXPECT_TRUE(ProfileFindValue(file.data(), file.size(), "a", "b", value, sizeof value));
  EXPECT_STREQ(value, " x y ");
  char small[4] = {'#', '#', '#', '#'};
  EXPECT_TRUE(ProfileFindValue(file.data(), file.size(), "a", "c", small, 3));
  EXPECT_STREQ(small, "ab");
  EXPECT_EQ(small[3], '#');
  EXPECT_FALSE(ProfileFindValue(file.data(), file.size(), "a", "d", value, sizeof value));
  EXPECT_STREQ(value, "");
}

}  // namespace
