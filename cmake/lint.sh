#!/bin/sh
# Static checks of the project's own code; any finding fails.
#   lint.sh format|tidy|cppcheck SOURCE_DIR BUILD_DIR
set -eu
check=$1
src=$2
build=$3
cd "$src"
dirs="run settings report platform boardsim tests bench"
sources=$(find $dirs -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)

case "$check" in
  format)
    clang-format --dry-run -Werror $sources
    ;;
  tidy)
    # Every native source in the build's compile database; the Windows-only
    # files are not in it. The static analyzer reads the program's own code:
    # on the tests it spends most of its time inside GoogleTest's macros.
    code="^$src/(run|settings|report|platform|boardsim|bench)/(?!.*_test\.cpp$)"
    tests="^$src/(tests/|.*_test\.cpp$)"
    # clang-tidy matches the filter against the header's full path: the
    # project's own headers, none of the system's or GoogleTest's.
    headers="^$src/($(echo $dirs | tr ' ' '|'))/"
    status=0
    run-clang-tidy -quiet -j 2 -p "$build" -header-filter="$headers" "$code" \
      >"$build/clang-tidy.log" 2>&1 || status=1
    run-clang-tidy -quiet -j 2 -p "$build" -header-filter="$headers" -checks=-clang-analyzer-* "$tests" \
      >>"$build/clang-tidy.log" 2>&1 || status=1
    if [ $status -ne 0 ]; then
      grep -E "warning:|error:" "$build/clang-tidy.log" | sort -u
      exit 1
    fi
    # A filter that matches no header would pass any tree: the probe's
    # deliberate finding must come through it.
    if ! clang-tidy -p "$build" -header-filter="$headers" -checks='-*,misc-definitions-in-headers' \
      tests/tidy_probe.cpp 2>&1 | grep -q "tidy_probe\.h:.*misc-definitions-in-headers"; then
      echo "clang-tidy did not report the finding in tests/tidy_probe.h: the header filter matches no header" >&2
      exit 1
    fi
    ;;
  cppcheck)
    cppcheck --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr --std=c++17 \
      --language=c++ -I . --library=googletest --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
      --quiet $dirs
    ;;
  *)
    echo "usage: lint.sh format|tidy|cppcheck SOURCE_DIR BUILD_DIR" >&2
    exit 2
    ;;
esac
