# cmake -DIN=TovCore.def -DOUT=decorated.def -P stdcall-def.cmake
# stdcall callers name each operation with the bytes of its arguments
# (_TovLibDllInit@0); the import library must answer to those names while
# importing the plain ones (dlltool --kill-at). Four bytes an argument on x86.
set(TovLibDllGetVersion 16)
set(TovLibDllInit 0)
set(TovLibDllGetLastError 0)
set(TovLibGetBIOSVersion 8)
set(TovLibGetPlatformName 8)
set(TovLibGetSioGpioValue 8)
set(TovLibSetSioGpioValue 8)
set(TovLibDllUnInit 0)

file(STRINGS ${IN} lines)
set(text "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  if(DEFINED ${name} AND name MATCHES "^TovLib")
    string(APPEND text "  ${name}@${${name}}\n")
  else()
    string(APPEND text "${line}\n")
  endif()
endforeach()
file(WRITE ${OUT} "${text}")
