#include "run/tovshim.h"

extern "C" __attribute__((naked)) uint32_t TovShimCall(TovEntry, const uint32_t*, uint32_t) {
  __asm__(
      "pushl %ebp\n\t"
      "movl %esp, %ebp\n\t"
      "pushl %ebx\n\t"
      "pushl %esi\n\t"
      "pushl %edi\n\t"
      "movl %esp, %ebx\n\t"  // the stack pointer to come back to
      "movl 16(%ebp), %ecx\n\t"
      "leal 0(,%ecx,4), %eax\n\t"
      "subl %eax, %esp\n\t"
      "andl $-16, %esp\n\t"  // the System V ABI wants 16 at the call; Windows is content with it
      "movl 12(%ebp), %esi\n\t"
      "movl %esp, %edi\n\t"
      "cld\n\t"
      "rep movsl\n\t"
      "call *8(%ebp)\n\t"
      "movl %ebx, %esp\n\t"  // whatever the callee popped
      "popl %edi\n\t"
      "popl %esi\n\t"
      "popl %ebx\n\t"
      "popl %ebp\n\t"
      "ret\n\t");
}
