# cmake -DBUILD=build/win32 -P check-package.cmake
# Builds the Windows zip into a scratch folder and checks what a user unpacks:
# the program, its settings and readme at the top, the simulator only inside
# simulator/ where Windows will not load it in place of the board's library.
cmake_policy(VERSION 3.25)
set(scratch ${BUILD}/package-check)
file(REMOVE_RECURSE ${scratch})
execute_process(COMMAND cpack -G ZIP -B ${scratch} --config ${BUILD}/CPackConfig.cmake
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cpack failed")
endif()
file(GLOB zips ${scratch}/*.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zips} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed OR NOT listing)
  message(FATAL_ERROR "cannot list ${zips}")
endif()
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "/$|^$")
list(SORT entries)
set(expected GPIOSet.ini README.txt gpiocheck.exe simulator/TovCore.dll)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "the zip holds [${entries}], expected [${expected}]")
endif()
message(STATUS "${zips}: ${entries}")
