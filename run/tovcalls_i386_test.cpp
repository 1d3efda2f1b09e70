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

// Both conventions' callees may clobber the scratch registers; these do,
// and return where the stack stood at the call: (ESP at entry + 4) mod 16,
// which the System V ABI wants 0. The stdcall one pops its four arguments.
__attribute__((naked)) uint32_t CdeclAlignment() {
  __asm__(
      "leal 4(%esp), %eax\n\t"
      "andl $15, %eax\n\t"
      "movl $0xDEAD0C0C, %ecx\n\t"
      "movl $0xDEAD0D0D, %edx\n\t"
      "ret\n\t");
}
__attribute__((naked)) uint32_t StdcallAlignment() {
  __asm__(
      "leal 4(%esp), %eax\n\t"
      "andl $15, %eax\n\t"
      "movl $0xDEAD0C0C, %ecx\n\t"
      "movl $0xDEAD0D0D, %edx\n\t"
      "ret $16\n\t");
}

// What the caller of the shim sees after a call.
struct Seen {
  uint32_t spBefore;  // just before the shim's arguments are pushed
  uint32_t spAfter;   // just after they are popped
  uint32_t saved[4];  // EBX, ESI, EDI, EBP after the call
};

// Known values in the registers the shim must give back.
const uint32_t kSaved[4] = {0x0B0B0B0B, 0x05050505, 0x0D0D0D0D, 0x0E0E0E0E};

// Calls the shim as compiled code would, from a stack `shift` words below
// its own alignment, with kSaved in EBX, ESI, EDI and EBP:
//   uint32_t CallSeen(TovEntry entry, const uint32_t* args, uint32_t count, uint32_t shift, Seen* seen)
__attribute__((naked)) uint32_t CallSeen(TovEntry, const uint32_t*, uint32_t, uint32_t, Seen*) {
  __asm__(
      "pushl %ebp\n\t"
      "pushl %ebx\n\t"
      "pushl %esi\n\t"
      "pushl %edi\n\t"
      "movl %esp, %eax\n\t"  // the arguments from 20(%eax) on
      "movl 32(%eax), %ecx\n\t"
      "shll $2, %ecx\n\t"
      "subl %ecx, %esp\n\t"
      "pushl %eax\n\t"
      "movl 36(%eax), %edx\n\t"
      "movl %esp, 0(%edx)\n\t"
      "pushl 28(%eax)\n\t"
      "pushl 24(%eax)\n\t"
      "pushl 20(%eax)\n\t"
      "movl $0x0B0B0B0B, %ebx\n\t"
      "movl $0x05050505, %esi\n\t"
      "movl $0x0D0D0D0D, %edi\n\t"
      "movl $0x0E0E0E0E, %ebp\n\t"
      "call TovShimCall\n\t"
      "addl $12, %esp\n\t"
      "movl (%esp), %ecx\n\t"
      "movl 36(%ecx), %edx\n\t"
      "movl %esp, 4(%edx)\n\t"
      "movl %ebx, 8(%edx)\n\t"
      "movl %esi, 12(%edx)\n\t"
      "movl %edi, 16(%edx)\n\t"
      "movl %ebp, 20(%edx)\n\t"
      "movl %ecx, %esp\n\t"
      "popl %edi\n\t"
      "popl %esi\n\t"
      "popl %ebx\n\t"
      "popl %ebp\n\t"
      "ret\n\t");
}
}

struct Callee {
  const char* what;
  TovEntry entry;
  uint32_t count;
  uint32_t result;
};

const Callee kCallees[] = {
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
    // Aligned at the call: 0, whatever the caller's stack.
    {"cdecl alignment", reinterpret_cast<TovEntry>(CdeclAlignment), 4, 0},
    {"stdcall alignment", reinterpret_cast<TovEntry>(StdcallAlignment), 4, 0},
};

TEST(CallShim, EitherConventionGivesTheCallerItsStackAndRegistersBackAndAlignsTheCall) {
  for (const Callee& c : kCallees) {
    for (uint32_t shift = 0; shift < 4; ++shift) {
      const volatile uint32_t canary[4] = {0xCAFEF00D, 0x8BADF00D, 0xDEADBEEF, 0xFEEDFACE};
      const uint32_t args[4] = {1, 2, 3, 4};
      Seen seen{};
      EXPECT_EQ(CallSeen(c.entry, args, c.count, shift, &seen), c.result) << c.what << ", shift " << shift;
      EXPECT_EQ(seen.spBefore, seen.spAfter) << c.what << ", shift " << shift;
      for (int i = 0; i < 4; ++i) EXPECT_EQ(seen.saved[i], kSaved[i]) << c.what << ", register " << i;
      EXPECT_EQ(canary[0], 0xCAFEF00Du) << c.what;
      EXPECT_EQ(canary[1], 0x8BADF00Du) << c.what;
      EXPECT_EQ(canary[2], 0xDEADBEEFu) << c.what;
      EXPECT_EQ(canary[3], 0xFEEDFACEu) << c.what;
    }
  }
}

TEST(CallShim, BooleanResultsAreReadFromTheLowByteOnly) {
  EXPECT_FALSE(TovShimBool(0x00000000u));
  EXPECT_FALSE(TovShimBool(0xFFFFFF00u));
  EXPECT_TRUE(TovShimBool(0x00000001u));
  EXPECT_TRUE(TovShimBool(0xABCDEF01u));
}

}  // namespace
