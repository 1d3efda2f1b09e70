#include <stddef.h>
#include <stdint.h>

#include "run/tovcalls.h"
#include "run/tovshim.h"

// The library's own symbols. Inside a namespace, so that the run's C++
// functions of the same names can stand beside them.
namespace board {
#include "run/tovcore.h"
}  // namespace board

namespace {

uint32_t Word(const void* pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }
uint32_t Word(int32_t value) { return static_cast<uint32_t>(value); }

template <typename Function, typename... Args>
uint32_t Call(Function* function, Args... args) {
  const uint32_t words[sizeof...(Args) + 1] = {Word(args)..., 0};
  return TovShimCall(reinterpret_cast<TovEntry>(function), words, sizeof...(Args));
}

}  // namespace

bool TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4) {
  return TovShimBool(Call(board::TovLibDllGetVersion, v1, v2, v3, v4));
}

bool TovLibDllInit() { return TovShimBool(Call(board::TovLibDllInit)); }

int32_t TovLibDllGetLastError() { return static_cast<int32_t>(Call(board::TovLibDllGetLastError)); }

bool TovLibGetBIOSVersion(char* buffer, uint32_t* length) {
  return TovShimBool(Call(board::TovLibGetBIOSVersion, buffer, length));
}

bool TovLibGetPlatformName(char* buffer, uint32_t* length) {
  return TovShimBool(Call(board::TovLibGetPlatformName, buffer, length));
}

bool TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status) {
  return TovShimBool(Call(board::TovLibGetSioGpioValue, gpio, status));
}

bool TovLibSetSioGpioValue(int32_t gpio, int32_t state) {
  return TovShimBool(Call(board::TovLibSetSioGpioValue, gpio, state));
}

bool TovLibDllUnInit() { return TovShimBool(Call(board::TovLibDllUnInit)); }
