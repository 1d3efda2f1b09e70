# The simulated board library, and how the program binds to a TovCore library.
function(gpiocheck_simulator target)
  add_library(${target} SHARED ${CMAKE_SOURCE_DIR}/boardsim/boardsim.cpp)
  target_compile_definitions(${target} PRIVATE TOVCORE_BUILDING_LIBRARY)
  target_link_libraries(${target} PRIVATE gpiocheck_core gpiocheck_platform)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME TovCore)
  if(WIN32)
    gpiocheck_version_resource(${target} "Simulated TovCore board library for gpiocheck")
  else()
    # Only the operations leave the simulator, whatever it links.
    target_link_options(${target} PRIVATE "LINKER:--exclude-libs,ALL")
  endif()
  gpiocheck_warnings(${target})
endfunction()
gpiocheck_simulator(TovCore)

# On 32-bit x86 a second simulator pops its own arguments (stdcall), under
# the same file name in stdcall/, so the tests can put it beside the one
# program in place of the first.
if(GPIOCHECK_X86_32)
  gpiocheck_simulator(TovCoreStdcall)
  target_compile_definitions(TovCoreStdcall PRIVATE TOVCORE_STDCALL)
  set_target_properties(TovCoreStdcall PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stdcall
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stdcall
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/stdcall)
endif()

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/tovcore-win32.cmake)
else()
  # The program names libTovCore.so in its NEEDED entry and finds it beside
  # itself, so the board's own library drops in under the same name.
  add_library(tovcore_import INTERFACE)
  target_link_libraries(tovcore_import INTERFACE TovCore)
  function(gpiocheck_beside_library target)
    set_target_properties(${target} PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "$ORIGIN")
    target_link_options(${target} PRIVATE "LINKER:--enable-new-dtags")
  endfunction()
endif()
