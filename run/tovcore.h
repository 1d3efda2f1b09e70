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

// The one-byte boolean result: only the low byte of the result register is
// the answer, and a library may leave anything above it. The simulator
// defines this as the whole register so that it can do just that.
#ifndef TOVCORE_BOOL
#define TOVCORE_BOOL bool
#endif

// Results of the version query, pin operations and release are never examined.
extern "C" {
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllInit(void);
TOVCORE_EXPORT int32_t TOVAPI TovLibDllGetLastError(void);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetBIOSVersion(char* buffer, uint32_t* length);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetPlatformName(char* buffer, uint32_t* length);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibSetSioGpioValue(int32_t gpio, int32_t state);
TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllUnInit(void);
}

#endif
