#!/bin/sh
# Makes sure this machine has the packages the build and the tests need.
#   ensure-tools.sh native   what `make run` needs
#   ensure-tools.sh all      what `make test` needs (adds the Windows
#                            cross toolchain, Wine and the checkers)
# As root with apt it installs what is missing; otherwise it stops and says
# the exact command. It never lets a test be skipped for want of a tool.
set -eu

native="cmake ninja-build g++ libgtest-dev libgmock-dev"
all="$native libbenchmark-dev g++-mingw-w64-i686 wine wine32:i386 clang libclang-rt-14-dev clang-format clang-tidy cppcheck valgrind"
case "${1:-all}" in
  native) wanted=$native ;;
  all) wanted=$all ;;
  *) echo "usage: ensure-tools.sh native|all" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

command="dpkg --add-architecture i386 && apt-get update && apt-get install -y$missing"
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
  echo "missing packages:$missing" >&2
  echo "install them as root with:" >&2
  echo "  $command" >&2
  exit 1
fi
echo "installing:$missing"
dpkg --add-architecture i386
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq$missing >/dev/null
