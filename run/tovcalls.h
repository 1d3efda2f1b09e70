// The board library's operations as the run calls them.
//
// A 32-bit x86 library may be built with either calling convention, and
// nothing on the board says which: cdecl leaves the arguments for the caller
// to pop, stdcall pops them itself. There every call goes through a shim
// (tovcalls_i386.cpp) that restores the caller's stack pointer afterwards,
// which is right for both. Elsewhere there is one convention and the run
// calls the library directly.
#ifndef GPIOCHECK_RUN_TOVCALLS_H
#define GPIOCHECK_RUN_TOVCALLS_H

#include <stdint.h>

#include "run/tovtypes.h"

#if defined(__i386__)
// The same names with C++ linkage: these are the shim's, and the library's
// own symbols are reached only from tovcalls_i386.cpp.
bool TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4);
bool TovLibDllInit();
int32_t TovLibDllGetLastError();
bool TovLibGetBIOSVersion(char* buffer, uint32_t* length);
bool TovLibGetPlatformName(char* buffer, uint32_t* length);
bool TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status);
bool TovLibSetSioGpioValue(int32_t gpio, int32_t state);
bool TovLibDllUnInit();
#else
#include "run/tovcore.h"
#endif

#endif
