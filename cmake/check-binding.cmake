# cmake -DREADELF=... -DNM=... -DPROGRAM=gpiocheck -P check-binding.cmake
# The program must take any libTovCore.so with the eight operations: it names
# the library without a version, finds it beside itself, and asks nothing of
# it but those eight.
cmake_policy(VERSION 3.25)
set(operations TovLibDllGetVersion TovLibDllInit TovLibDllGetLastError TovLibGetBIOSVersion
               TovLibGetPlatformName TovLibGetSioGpioValue TovLibSetSioGpioValue TovLibDllUnInit)

execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${READELF} -d ${PROGRAM} failed")
endif()
if(NOT dynamic MATCHES "\\(NEEDED\\)[^\n]*\\[libTovCore\\.so\\]")
  message(FATAL_ERROR "${PROGRAM} does not name libTovCore.so in a NEEDED entry")
endif()
if(NOT dynamic MATCHES "\\(RUNPATH\\)[^\n]*\\[\\$ORIGIN\\]")
  message(FATAL_ERROR "${PROGRAM} does not look for its libraries beside itself (RUNPATH $ORIGIN)")
endif()

# Undefined symbols without a version come from libTovCore.so.
execute_process(COMMAND ${NM} -D --undefined-only ${PROGRAM} OUTPUT_VARIABLE undefined RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} -D ${PROGRAM} failed")
endif()
string(REPLACE "\n" ";" lines "${undefined}")
set(asked "")
foreach(line IN LISTS lines)
  if(line MATCHES "^ *U ([^@ ]+)$")
    list(APPEND asked ${CMAKE_MATCH_1})
  endif()
endforeach()
list(SORT asked)
list(SORT operations)
if(NOT asked STREQUAL operations)
  message(FATAL_ERROR "${PROGRAM} asks its board library for [${asked}], expected [${operations}]")
endif()
message(STATUS "${PROGRAM}: NEEDED libTovCore.so, RUNPATH $ORIGIN, imports [${asked}]")
