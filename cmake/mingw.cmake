# Cross build of a Windows program with Debian's mingw-w64, included by the
# toolchain file of each architecture after it names the triplet. The win32
# thread model keeps the runtime free of a winpthread DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-win32)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-win32)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_DLLTOOL ${mingw_triplet}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
