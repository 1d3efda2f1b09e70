// The board control library's operations, as the run uses them.
// The library is closed; only these eight exports are relied on.
#ifndef GPIOCHECK_RUN_TOVCORE_H
#define GPIOCHECK_RUN_TOVCORE_H

#include <stdint.h>

// The calling convention is a build option on Windows (cdecl by default);
// the tool and any library it loads must agree on it.
#if defined(_WIN32) && defined(TOVCORE_STDCALL)
#define TOVAPI __stdcall
#elif defined(_WIN32)
#define TOVAPI __cdecl
#else
#define TOVAPI
#endif

// Marks the definitions in a library that provides the operations.
#if defined(TOVCORE_BUILDING_LIBRARY) && defined(_WIN32)
#define TOVCORE_EXPORT __declspec(dllexport)
#elif defined(TOVCORE_BUILDING_LIBRARY)
#define TOVCORE_EXPORT __attribute__((visibility("default")))
#else
#define TOVCORE_EXPORT
#endif

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

// Results of the version query, pin operations and release are never examined.
extern "C" {
TOVCORE_EXPORT bool TOVAPI TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4);
TOVCORE_EXPORT bool TOVAPI TovLibDllInit(void);
TOVCORE_EXPORT int32_t TOVAPI TovLibDllGetLastError(void);
TOVCORE_EXPORT bool TOVAPI TovLibGetBIOSVersion(char* buffer, uint32_t* length);
TOVCORE_EXPORT bool TOVAPI TovLibGetPlatformName(char* buffer, uint32_t* length);
TOVCORE_EXPORT bool TOVAPI TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status);
TOVCORE_EXPORT bool TOVAPI TovLibSetSioGpioValue(int32_t gpio, int32_t state);
TOVCORE_EXPORT bool TOVAPI TovLibDllUnInit(void);
}

// The two text queries share one shape: size call with no buffer, then fill.
typedef bool(TOVAPI* LibTextQuery)(char* buffer, uint32_t* length);

#endif
