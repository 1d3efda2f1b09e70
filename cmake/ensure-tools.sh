#!/bin/sh
# Makes sure this machine has what a command needs, by looking for the
# commands and files themselves (not for package names):
#   ensure-tools.sh run    what `make run` needs: a compiler, CMake, Ninja
#   ensure-tools.sh package  what `make package` needs besides: the two
#                          Windows toolchains, zip and git
#   ensure-tools.sh test   what `make test` needs besides: GoogleTest, the
#                          32-bit toolchain, Wine, clang, the checkers and two
#                          locales
# As root on a system with apt it installs what is missing; elsewhere it
# prints what is missing and the packages that bring it, and fails.
set -eu
here=$(cd "$(dirname "$0")" && pwd)

# One "check package" pair a line. A check is cmd:NAME (a command on PATH),
# file:PATH, fuzzer (clang's libFuzzer runtime) or m32 (g++ -m32 links a C++
# program).
run_needs="
cmd:cmake cmake
cmd:ninja ninja-build
cmd:g++ g++
"
package_needs="
cmd:i686-w64-mingw32-g++-win32 g++-mingw-w64-i686-win32
cmd:x86_64-w64-mingw32-g++-win32 g++-mingw-w64-x86-64-win32
cmd:zip zip
cmd:git git
"
test_needs="
file:/usr/include/gtest/gtest.h libgtest-dev
file:/usr/include/gmock/gmock.h libgmock-dev
file:/usr/src/googletest/CMakeLists.txt googletest
m32 g++-multilib
file:/usr/lib/wine/wine64 wine64
file:/usr/lib/wine/wineserver64 wine64
cmd:clang++ clang
fuzzer libclang-rt-14-dev
cmd:clang-format clang-format
cmd:run-clang-tidy clang-tidy
cmd:cppcheck cppcheck
cmd:valgrind valgrind
file:/usr/share/i18n/locales/ja_JP locales
"
# 32-bit Wine only where 32-bit processes run; elsewhere the 32-bit Linux
# tests need the user-mode emulator instead.
i386_runs() { sh "$here/probe-i386.sh" >/dev/null; }

have() {
  case $1 in
    cmd:*) command -v "${1#cmd:}" >/dev/null 2>&1 ;;
    file:*) [ -e "${1#file:}" ] ;;
    fuzzer) ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ;;
    m32)
      command -v g++ >/dev/null 2>&1 || return 1
      scratch=$(mktemp -d)
      printf 'int main() { return 0; }\n' >"$scratch/m.cpp"
      if g++ -m32 "$scratch/m.cpp" -o "$scratch/m" >/dev/null 2>&1; then status=0; else status=1; fi
      rm -rf "$scratch"
      return $status
      ;;
    *) return 1 ;;
  esac
}

needs() {
  case "$1" in
    run) printf '%s\n' "$run_needs" ;;
    package) printf '%s\n%s\n' "$run_needs" "$package_needs" ;;
    test)
      printf '%s\n%s\n%s\n' "$run_needs" "$package_needs" "$test_needs"
      if i386_runs; then
        echo "file:/usr/lib/wine/wine wine32:i386"
      else
        echo "cmd:qemu-i386-static qemu-user-static"
      fi
      ;;
    *)
      echo "usage: ensure-tools.sh run|package|test" >&2
      exit 2
      ;;
  esac
}

# The packages for whatever is still missing, each once.
missing() {
  needs "$1" | while read -r check package; do
    [ -n "$check" ] || continue
    have "$check" || echo "$package"
  done | awk '!seen[$0]++' | tr '\n' ' '
}

wanted=$(missing "$1")
if [ -n "$wanted" ]; then
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "missing for 'make $1': $wanted" >&2
    echo "on Debian, as root: apt-get install $wanted" >&2
    exit 1
  fi
  case " $wanted" in
    *:i386*)
      if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "adding the i386 architecture for 32-bit Wine"
        dpkg --add-architecture i386
      fi
      ;;
  esac
  echo "installing: $wanted"
  apt-get update -qq
  # No recommends: qemu-user-static's would register the emulator in
  # binfmt_misc, and 32-bit Wine must never "run" through it at emulation speed.
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $wanted >/dev/null
  left=$(missing "$1")
  if [ -n "$left" ]; then
    echo "still missing after apt-get install: $left" >&2
    exit 1
  fi
fi

# Wine takes the Windows code page from the locale, and reads file names
# only in a locale the system has: the folder-name test runs the Windows
# programs under Japanese and Chinese UTF-8 locales.
[ "$1" = test ] || exit 0
for name in ja_JP zh_TW; do
  locale -a 2>/dev/null | grep -qi "^$name\.utf-\{0,1\}8$" && continue
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing for 'make test': the $name.UTF-8 locale; as root: localedef -i $name -c -f UTF-8 $name.UTF-8" >&2
    exit 1
  fi
  echo "generating the $name.UTF-8 locale"
  localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
done
