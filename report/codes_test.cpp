#include "report/codes.h"

#include <gtest/gtest.h>

#include "tests/support.h"

namespace {

std::string StateLine(int32_t state) {
  GpioStatus status{0xDEADBEEFu, state};
  return CaptureStdout([&] { PrintGpioState(&status); });
}

std::string ErrorLine(int32_t code) {
  return CaptureStdout([&] { PrintLibError(code); });
}

TEST(PrintGpioState, NamesEachSingleBitCodeAndFallsBackForTheRest) {
  const struct {
    int32_t state;
    const char* line;
  } cases[] = {
      {1, "ESCORE_GPIO_NOT_GPIO\n"},
      {2, "ESCORE_GPIO_DISABLED\n"},
      {4, "ESCORE_GPIO_INPUT_LOW\n"},
      {8, "ESCORE_GPIO_INPUT_HIGH\n"},
      {16, "ESCORE_GPIO_OUTPUT_LOW\n"},
      {32, "ESCORE_GPIO_OUTPUT_HIGH\n"},
      {0, "UNKNOWN VALUE[0x00]\n"},
      {3, "UNKNOWN VALUE[0x03]\n"},     // two bits: no name
      {48, "UNKNOWN VALUE[0x30]\n"},    // low and high together
      {64, "UNKNOWN VALUE[0x40]\n"},    // the next bit up
      {0xAB, "UNKNOWN VALUE[0xAB]\n"},  // upper-case digits
      {256, "UNKNOWN VALUE[0x100]\n"},  // the width is a minimum
      {-1, "UNKNOWN VALUE[0xFFFFFFFF]\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(StateLine(c.state), c.line) << "state " << c.state;
}

TEST(PrintGpioState, PrintsNothingWithoutARecord) {
  EXPECT_EQ(CaptureStdout([] { PrintGpioState(nullptr); }), "");
}

TEST(PrintLibError, PrefixesTheCodeToItsNameOrTheFallBack) {
  const struct {
    int32_t code;
    const char* line;
  } cases[] = {
      {0x000, "(0x0000) ERRLIB_SUCCESS\n"},
      {0x100, "(0x0100) ERRLIB_DLL_NOT_INIT\n"},
      {0x101, "(0x0101) ERRLIB_PLATFORM_UNSUPPORT\n"},
      {0x102, "(0x0102) ERRLIB_API_UNSUPPORT\n"},
      {0x103, "(0x0103) ERRLIB_API_CURRENT_UNSUPPORT\n"},
      {0x104, "(0x0104) ERRLIB_LIB_INIT_FAIL\n"},
      {0x105, "(0x0105) ERRLIB_INVALID_PARAMETER\n"},
      {0x106, "(0x0106) ERRLIB_INVALID_ID\n"},
      {0x107, "(0x0107) ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT\n"},
      {0x108, "(0x0108) ERRLIB_ARRAY_LENGTH_INSUFFICIENT\n"},
      {0x109, "(0x0109) ERRLIB_THREAD_LOCKED\n"},
      {0x10A, "(0x010A) ERRLIB_LIB_INVALID_VERSION\n"},
      {0x001, "(0x0001) UNKNOWN_ERROR\n"},
      {0x0FF, "(0x00FF) UNKNOWN_ERROR\n"},
      {0x10B, "(0x010B) UNKNOWN_ERROR\n"},
      {0x12345, "(0x12345) UNKNOWN_ERROR\n"},
      {-1, "(0xFFFFFFFF) UNKNOWN_ERROR\n"},
      {INT32_MIN, "(0x80000000) UNKNOWN_ERROR\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorLine(c.code), c.line) << "code " << c.code;
}

}  // namespace
