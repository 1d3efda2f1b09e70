# The Windows build is tested from the Linux side: the native test drivers
# run its programs under Wine, one Wine server for the whole run.
set(GPIOCHECK_HOST_TESTS "${CMAKE_SOURCE_DIR}/build/native/tests" CACHE PATH "Native test drivers")
set(GPIOCHECK_WINEPREFIX "${CMAKE_SOURCE_DIR}/build/wineprefix" CACHE PATH "Wine prefix for the tests")
find_program(GPIOCHECK_OBJDUMP NAMES i686-w64-mingw32-objdump objdump REQUIRED)

add_executable(profile_probe profile_probe.cpp)
set_target_properties(profile_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
gpiocheck_warnings(profile_probe)

if(TOVCORE_STDCALL)
  set(prefix win32-stdcall)
else()
  set(prefix win32)
endif()
set(wine sh ${CMAKE_CURRENT_SOURCE_DIR}/wine.sh ${GPIOCHECK_WINEPREFIX})

add_test(NAME ${prefix}.wine.start COMMAND ${wine} start)
set_tests_properties(${prefix}.wine.start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME ${prefix}.wine.stop COMMAND ${wine} stop)
set_tests_properties(${prefix}.wine.stop PROPERTIES FIXTURES_CLEANUP wine)

string(REPLACE ";" " " runner "${wine};run")
add_test(NAME ${prefix}.e2e
  COMMAND ${GPIOCHECK_HOST_TESTS}/e2e_tests ${CMAKE_BINARY_DIR} gpiocheck.exe TovCore.dll "${runner}")
add_test(NAME ${prefix}.imports
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${GPIOCHECK_OBJDUMP}
          "-DFILES=${CMAKE_BINARY_DIR}/gpiocheck.exe;${CMAKE_BINARY_DIR}/TovCore.dll"
          -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
set(wine_tests ${prefix}.e2e)
if(NOT TOVCORE_STDCALL)
  add_test(NAME ${prefix}.profile_reader
    COMMAND ${GPIOCHECK_HOST_TESTS}/profile_compare_tests ${CMAKE_BINARY_DIR}/tests/profile_probe.exe "${runner}")
  list(APPEND wine_tests ${prefix}.profile_reader)
endif()
set_tests_properties(${wine_tests} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine)

if(NOT TOVCORE_STDCALL)
  add_test(NAME ${prefix}.package COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check-package.cmake)
endif()
