#!/bin/sh
# Runs Windows test programs under one long-lived Wine server per prefix.
#   wine.sh ARCH PREFIX start          make the prefix if needed, start the server
#   wine.sh ARCH PREFIX run PROGRAM    run a program in that prefix
#   wine.sh ARCH PREFIX guard COMMAND  run a test command that uses Wine
#   wine.sh ARCH PREFIX stop           shut the server down
# ARCH is win32 (32-bit Wine) or win64 (Wine's 64-bit loader). Where 32-bit
# Wine cannot run, start, guard and stop print why and exit 77, which ctest
# reports as skipped. Nothing started here may keep the caller's output open:
# a service that inherits a test's pipe would hold the test until it exits.
set -eu
arch=$1
WINEPREFIX=$(mkdir -p "$2" && cd "$2" && pwd)
action=$3
shift 3
export WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=$arch
# No Mono or Gecko prompts while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
case "$arch" in
  win32) loader=/usr/lib/wine/wine ;;
  win64)
    loader=/usr/lib/wine/wine64
    export WINELOADER=$loader
    ;;
  *)
    echo "wine.sh: unknown architecture $arch" >&2
    exit 2
    ;;
esac
server=/usr/lib/wine/wineserver

if [ "$arch" = win32 ] && [ "$action" != run ]; then
  if ! reason=$(sh "$(dirname "$0")/../cmake/probe-i386.sh"); then
    echo "skipped: 32-bit Wine cannot run here: $reason"
    exit 77
  fi
fi

case "$action" in
  start)
    # A server left running by an earlier run is as good as a new one.
    "$server" -p >/dev/null 2>&1 </dev/null || true
    "$loader" wineboot -i >/dev/null 2>&1 </dev/null
    "$server" -p >/dev/null 2>&1 </dev/null || true
    ;;
  run)
    exec "$loader" "$@"
    ;;
  guard)
    exec "$@"
    ;;
  stop)
    "$server" -k >/dev/null 2>&1 </dev/null || true
    "$server" -w >/dev/null 2>&1 </dev/null || true
    ;;
  *)
    echo "usage: wine.sh ARCH PREFIX start|run PROGRAM [ARGS]|guard COMMAND [ARGS]|stop" >&2
    exit 2
    ;;
esac
