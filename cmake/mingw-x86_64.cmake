# The 64-bit Windows program, for boards whose library is 64-bit.
set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
