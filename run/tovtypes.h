// The board control library's codes and records, as both sides of the
// library boundary see them.
#ifndef GPIOCHECK_RUN_TOVTYPES_H
#define GPIOCHECK_RUN_TOVTYPES_H

#include <stdint.h>

enum GpioState : int32_t {
  ESCORE_GPIO_NOT_GPIO = 1,
  ESCORE_GPIO_DISABLED = 2,
  ESCORE_GPIO_INPUT_LOW = 4,
  ESCORE_GPIO_INPUT_HIGH = 8,
  ESCORE_GPIO_OUTPUT_LOW = 16,
  ESCORE_GPIO_OUTPUT_HIGH = 32,
};

enum LibError : int32_t {
  ERRLIB_SUCCESS = 0x0000,
  ERRLIB_DLL_NOT_INIT = 0x0100,
  ERRLIB_PLATFORM_UNSUPPORT = 0x0101,
  ERRLIB_API_UNSUPPORT = 0x0102,
  ERRLIB_API_CURRENT_UNSUPPORT = 0x0103,
  ERRLIB_LIB_INIT_FAIL = 0x0104,
  ERRLIB_INVALID_PARAMETER = 0x0105,
  ERRLIB_INVALID_ID = 0x0106,
  ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT = 0x0107,
  ERRLIB_ARRAY_LENGTH_INSUFFICIENT = 0x0108,
  ERRLIB_THREAD_LOCKED = 0x0109,
  ERRLIB_LIB_INVALID_VERSION = 0x010A,
};

struct GpioStatus {
  uint32_t reserved;  // the library's own; never read or set by the run
  int32_t state;      // a GpioState code, or anything the library leaves there
};

// The two text queries share one shape: size call with no buffer, then fill.
typedef bool (*LibTextQuery)(char* buffer, uint32_t* length);

#endif
