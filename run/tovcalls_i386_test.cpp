#include <gtest/gtest.h>
#include <stdint.h>

#include "run/tovshim.h"

namespace {

// Functions of both conventions with 0 to 4 arguments; each result tells
// the arguments apart by position.
extern "C" {
uint32_t Cdecl0() { return 0xC0; }
uint32_t Cdecl1(uint32_t a) { return a; }
uint32_t Cdecl2(uint32_t a, uint32_t b) { return a * 10 + b; }
uint32_t Cdecl3(uint32_t a, uint32_t b, uint32_t c) { return (a * 10 + b) * 10 + c; }
uint32_t Cdecl4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return ((a * 10 + b) * 10 + c) * 10 + d; }
__attribute__((stdcall)) uint32_t Stdcall0() { return 0x50; }
__attribute__((stdcall)) uint32_t Stdcall1(uint32_t a) { return a; }
__attribute__((stdcall)) uint32_t Stdcall2(uint32_t a, uint32_t b) { return a * 10 + b; }
__attribute__((stdcall)) uint32_t Stdcall3(uint32_t a, uint32_t b, uint32_t c) { return (a * 10 + b) * 10 + c; }
__attribute__((stdcall)) uint32_t Stdcall4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return ((a * 10 + b) * 10 + c) * 10 + d;
}

// Calls the shim as compiled code would and records the stack pointer just
// before its arguments are pushed and just after they are popped:
//   uint32_t CallMeasured(TovEntry entry, const uint32_t* args, uint32_t count, uint32_t sp[2])
__attribute__((naked)) uint32_t CallMeasured(TovEntry, const uint32_t*, uint32_t, uint32_t*) {
  __asm__(
      "pushl %ebx\n\t"
      "movl 20(%esp), %ebx\n\t"
      "movl %esp, (%ebx)\n\t"
      // The shim's three arguments, last first; each push moves the next one
      // to the same offset.
      "pushl 16(%esp)\n\t"
      "pushl 16(%esp)\n\t"
      "pushl 16(%esp)\n\t"
      "call TovShimCall\n\t"
      "addl $12, %esp\n\t"
      "movl %esp, 4(%ebx)\n\t"
      "popl %ebx\n\t"
      "ret\n\t");
}
}

TEST(CallShim, EitherConventionLeavesTheStackAsItWasAndDeliversTheResult) {
  const struct {
    const char* what;
    TovEntry entry;
    uint32_t count;
    uint32_t result;
  } cases[] = {
      {"cdecl 0", reinterpret_cast<TovEntry>(Cdecl0), 0, 0xC0},
      {"cdecl 1", reinterpret_cast<TovEntry>(Cdecl1), 1, 1},
      {"cdecl 2", reinterpret_cast<TovEntry>(Cdecl2), 2, 12},
      {"cdecl 3", reinterpret_cast<TovEntry>(Cdecl3), 3, 123},
      {"cdecl 4", reinterpret_cast<TovEntry>(Cdecl4), 4, 1234},
      {"stdcall 0", reinterpret_cast<TovEntry>(Stdcall0), 0, 0x50},
      {"stdcall 1", reinterpret_cast<TovEntry>(Stdcall1), 1, 1},
      {"stdcall 2", reinterpret_cast<TovEntry>(Stdcall2), 2, 12},
      {"stdcall 3", reinterpret_cast<TovEntry>(Stdcall3), 3, 123},
      {"stdcall 4", reinterpret_cast<TovEntry>(Stdcall4), 4, 1234},
  };
  for (const auto& c : cases) {
    const volatile uint32_t canary[4] = {0xCAFEF00D, 0x8BADF00D, 0xDEADBEEF, 0xFEEDFACE};
    const uint32_t args[4] = {1, 2, 3, 4};
    uint32_t sp[2] = {0, 0};
    EXPECT_EQ(CallMeasured(c.entry, args, c.count, sp), c.result) << c.what;
    EXPECT_EQ(sp[0], sp[1]) << c.what;
    EXPECT_EQ(canary[0], 0xCAFEF00Du) << c.what;
    EXPECT_EQ(canary[1], 0x8BADF00Du) << c.what;
    EXPECT_EQ(canary[2], 0xDEADBEEFu) << c.what;
    EXPECT_EQ(canary[3], 0xFEEDFACEu) << c.what;
  }
}

TEST(CallShim, BooleanResultsAreReadFromTheLowByteOnly) {
  EXPECT_FALSE(TovShimBool(0x00000000u));
  EXPECT_FALSE(TovShimBool(0xFFFFFF00u));
  EXPECT_TRUE(TovShimBool(0x00000001u));
  EXPECT_TRUE(TovShimBool(0xABCDEF01u));
}

}  // namespace
