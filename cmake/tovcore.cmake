# The simulated board library, and how the program binds to a TovCore library.
add_library(TovCore SHARED boardsim/boardsim.cpp)
target_compile_definitions(TovCore PRIVATE TOVCORE_BUILDING_LIBRARY)
target_link_libraries(TovCore PRIVATE gpiocheck_core gpiocheck_platform)
gpiocheck_warnings(TovCore)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/tovcore-win32.cmake)
else()
  # The program names libTovCore.so in its NEEDED entry and finds it beside
  # itself, so the board's own library drops in under the same name.
  # Only the operations leave the simulator, whatever it links.
  target_link_options(TovCore PRIVATE "LINKER:--exclude-libs,ALL")
  add_library(tovcore_import INTERFACE)
  target_link_libraries(tovcore_import INTERFACE TovCore)
  function(gpiocheck_beside_library target)
    set_target_properties(${target} PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "$ORIGIN")
    target_link_options(${target} PRIVATE "LINKER:--enable-new-dtags")
  endfunction()
endif()
