// The board control library's operations, as the library exports them.
// The library is closed; only these eight exports are relied on.
#ifndef GPIOCHECK_RUN_TOVCORE_H
#define GPIOCHECK_RUN_TOVCORE_H

#include <stdint.h>

#include "run/tovtypes.h"

// A library for 32-bit x86 may be built with either calling convention; the
// program copes with both (run/tovcalls.h), and the simulator can be built
// with stdcall to prove it. Elsewhere there is only one.
#if defined(__i386__) && defined(TOVCORE_STDCALL)
#define TOVAPI __attribute__((stdcall))
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

#endif
