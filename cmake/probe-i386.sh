#!/bin/sh
# Can this machine run 32-bit x86 processes? Some kernels refuse them
# ("32-bit emulation disabled"), and then 32-bit Wine cannot start at all.
# Runs a 93-byte 32-bit program that only exits, and says what happened:
#   exit 0    32-bit processes run
#   exit 1    they do not; the reason is printed on one line
# GPIOCHECK_REFUSE_I386=1 answers as such a machine would, to try that path.
set -u
if [ "${GPIOCHECK_REFUSE_I386:-0}" = 1 ]; then
  echo "32-bit processes refused (GPIOCHECK_REFUSE_I386=1)"
  exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/probe-i386.XXXXXX") || { echo "cannot make a scratch folder"; exit 1; }
trap 'rm -rf "$dir"' EXIT
# ELF header, one loadable segment, then: xor ebx,ebx; mov eax,1; int 0x80.
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\061\333\270\001\000\000\000\315\200' >"$dir/exit0"
chmod +x "$dir/exit0"
if error=$("$dir/exit0" 2>&1); then
  exit 0
fi
reason=$(printf '%s' "$error" | sed -n 's/.*: //p' | tail -n 1)
[ -n "$reason" ] || reason="it did not run"
if dmesg 2>/dev/null | grep -q "32-bit emulation disabled"; then
  reason="$reason; the kernel log says 32-bit emulation disabled"
fi
echo "this kernel refuses 32-bit processes ($reason)"
exit 1
