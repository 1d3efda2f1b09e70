#!/bin/sh
# Runs Windows test programs under one long-lived Wine server.
#   wine.sh PREFIX start        create the prefix if needed, start the server and services
#   wine.sh PREFIX run PROGRAM  run a program in that prefix
#   wine.sh PREFIX stop         shut the server down
# Nothing started here may keep the caller's output open: a service that
# inherits a test's pipe would hold the test until the service exits.
set -eu
WINEPREFIX=$(mkdir -p "$1" && cd "$1" && pwd)
export WINEPREFIX
export WINEDEBUG=-all
export WINEARCH=win32
# No Mono or Gecko prompts while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
action=$2
shift 2
case "$action" in
  start)
    wineserver -p >/dev/null 2>&1 </dev/null
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -p >/dev/null 2>&1 </dev/null || true
    ;;
  run)
    exec wine "$@"
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 </dev/null || true
    wineserver -w >/dev/null 2>&1 </dev/null || true
    ;;
  *)
    echo "usage: wine.sh PREFIX start|run PROGRAM [ARGS]|stop" >&2
    exit 2
    ;;
esac
