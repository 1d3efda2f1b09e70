# A Windows build is tested from the Linux side: the native test drivers run
# its programs under Wine, one Wine server and prefix for the whole run.
#   win64: Wine's 64-bit loader, which runs wherever the tests do.
#   win32: 32-bit Wine, which cannot start where the kernel refuses 32-bit
#          processes; there the Wine runs report themselves skipped, with
#          the reason, and the checks of the files still run.
set(GPIOCHECK_WINEPREFIX "${CMAKE_SOURCE_DIR}/build/wineprefix-${GPIOCHECK_FLAVOUR}" CACHE PATH "Wine prefix for the tests")
set(skip 77)

add_executable(profile_probe profile_probe.cpp)
set_target_properties(profile_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
gpiocheck_warnings(profile_probe)

set(wine sh ${CMAKE_CURRENT_SOURCE_DIR}/wine.sh ${GPIOCHECK_FLAVOUR} ${GPIOCHECK_WINEPREFIX})
set(name ${GPIOCHECK_FLAVOUR})

add_test(NAME ${name}.wine.start COMMAND ${wine} start)
set_tests_properties(${name}.wine.start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME ${name}.wine.stop COMMAND ${wine} stop)
set_tests_properties(${name}.wine.stop PROPERTIES FIXTURES_CLEANUP wine)

string(REPLACE ";" " " runner "${wine};run")
# The cases that rest on POSIX behaviour (descriptors, FIFOs, the Linux
# settings reader) are not the Windows program's.
set(windows_cases --gtest_filter=-EndToEndPosix.*)
add_test(NAME ${name}.e2e
  COMMAND ${wine} guard ${GPIOCHECK_HOST_TESTS}/e2e_tests ${windows_cases} ${CMAKE_BINARY_DIR} gpiocheck.exe TovCore.dll "${runner}")
add_test(NAME ${name}.profile_reader
  COMMAND ${wine} guard ${GPIOCHECK_HOST_TESTS}/profile_compare_tests ${CMAKE_BINARY_DIR}/tests/profile_probe.exe "${runner}")
set(wine_tests ${name}.e2e ${name}.profile_reader)
set(images ${CMAKE_BINARY_DIR}/gpiocheck.exe ${CMAKE_BINARY_DIR}/TovCore.dll)
if(GPIOCHECK_X86_32)
  # The one 32-bit program against a board library that pops its own arguments.
  add_test(NAME ${name}.e2e.stdcall
    COMMAND ${wine} guard ${GPIOCHECK_HOST_TESTS}/e2e_tests ${windows_cases} ${CMAKE_BINARY_DIR} gpiocheck.exe stdcall/TovCore.dll "${runner}")
  list(APPEND wine_tests ${name}.e2e.stdcall)
  list(APPEND images ${CMAKE_BINARY_DIR}/stdcall/TovCore.dll)
endif()
set_tests_properties(${wine_tests} PROPERTIES FIXTURES_REQUIRED wine)
set_tests_properties(${wine_tests} ${name}.wine.start ${name}.wine.stop PROPERTIES
  RESOURCE_LOCK ${GPIOCHECK_WINEPREFIX} SKIP_RETURN_CODE ${skip})

add_test(NAME ${name}.imports
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFLAVOUR=${GPIOCHECK_FLAVOUR} "-DFILES=${images}"
          -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
set(version -DWINDRES=${CMAKE_RC_COMPILER} -DVERSION=${PROJECT_VERSION} -DPRODUCT=${PROJECT_NAME})
add_test(NAME ${name}.version
  COMMAND ${CMAKE_COMMAND} ${version} "-DFILES=${images}" -P ${CMAKE_SOURCE_DIR}/cmake/check-version.cmake)
add_test(NAME ${name}.package
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBUILD=${CMAKE_BINARY_DIR} -DFLAVOUR=${GPIOCHECK_FLAVOUR}
          -DOBJDUMP=${CMAKE_OBJDUMP} ${version}
          -P ${CMAKE_SOURCE_DIR}/cmake/check-package.cmake)
