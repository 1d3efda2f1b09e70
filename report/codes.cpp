#include "report/codes.h"

#include <stdio.h>

namespace {

struct CodeName {
  int32_t code;
  const char* name;
};

const CodeName kGpioStates[] = {
    {ESCORE_GPIO_NOT_GPIO, "ESCORE_GPIO_NOT_GPIO"},
    {ESCORE_GPIO_DISABLED, "ESCORE_GPIO_DISABLED"},
    {ESCORE_GPIO_INPUT_LOW, "ESCORE_GPIO_INPUT_LOW"},
    {ESCORE_GPIO_INPUT_HIGH, "ESCORE_GPIO_INPUT_HIGH"},
    {ESCORE_GPIO_OUTPUT_LOW, "ESCORE_GPIO_OUTPUT_LOW"},
    {ESCORE_GPIO_OUTPUT_HIGH, "ESCORE_GPIO_OUTPUT_HIGH"},
};

const CodeName kLibErrors[] = {
    {ERRLIB_SUCCESS, "ERRLIB_SUCCESS"},
    {ERRLIB_DLL_NOT_INIT, "ERRLIB_DLL_NOT_INIT"},
    {ERRLIB_PLATFORM_UNSUPPORT, "ERRLIB_PLATFORM_UNSUPPORT"},
    {ERRLIB_API_UNSUPPORT, "ERRLIB_API_UNSUPPORT"},
    {ERRLIB_API_CURRENT_UNSUPPORT, "ERRLIB_API_CURRENT_UNSUPPORT"},
    {ERRLIB_LIB_INIT_FAIL, "ERRLIB_LIB_INIT_FAIL"},
    {ERRLIB_INVALID_PARAMETER, "ERRLIB_INVALID_PARAMETER"},
    {ERRLIB_INVALID_ID, "ERRLIB_INVALID_ID"},
    {ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT, "ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT"},
    {ERRLIB_ARRAY_LENGTH_INSUFFICIENT, "ERRLIB_ARRAY_LENGTH_INSUFFICIENT"},
    {ERRLIB_THREAD_LOCKED, "ERRLIB_THREAD_LOCKED"},
    {ERRLIB_LIB_INVALID_VERSION, "ERRLIB_LIB_INVALID_VERSION"},
};

template <size_t N>
const char* Lookup(const CodeName (&table)[N], int32_t code) {
  for (const CodeName& entry : table) {
    if (entry.code == code) return entry.name;
  }
  return nullptr;
}

}  // namespace

void PrintGpioState(const GpioStatus* status) {
  if (status == nullptr) return;
  const char* name = Lookup(kGpioStates, status->state);
  if (name != nullptr) {
    printf("%s\n", name);
  } else {
    // Unsigned, so a negative state prints as its 32-bit pattern.
    printf("UNKNOWN VALUE[0x%02X]\n", static_cast<unsigned>(static_cast<uint32_t>(status->state)));
  }
}

void PrintLibError(int32_t code) {
  const char* name = Lookup(kLibErrors, code);
  printf("(0x%04X) %s\n", static_cast<unsigned>(static_cast<uint32_t>(code)), name != nullptr ? name : "UNKNOWN_ERROR");
}
