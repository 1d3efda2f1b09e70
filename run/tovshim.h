// The call shim for 32-bit x86 board libraries (see run/tovcalls.h).
#ifndef GPIOCHECK_RUN_TOVSHIM_H
#define GPIOCHECK_RUN_TOVSHIM_H

#include <stdint.h>

typedef void (*TovEntry)();

extern "C" {
// Calls `entry` with `count` 32-bit words pushed right to left (args[0] is
// the first argument) and returns what it left in EAX. The caller's stack
// pointer survives in EBX, which both conventions preserve, and is put back
// after the call, whether the callee popped its arguments or not.
uint32_t TovShimCall(TovEntry entry, const uint32_t* args, uint32_t count);
}

// A one-byte boolean result: only AL is defined, the rest of EAX is not.
inline bool TovShimBool(uint32_t eax) { return (eax & 0xFFu) != 0; }

#endif
