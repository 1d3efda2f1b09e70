# Windows: the program imports TovCore.dll at load time through an import
# library made from the module-definition file (plain names), and Windows
# finds the DLL in the program's own folder first.
set(tovcore_def ${CMAKE_SOURCE_DIR}/boardsim/TovCore.def)
set(tovcore_implib ${CMAKE_BINARY_DIR}/lib/libTovCore-import.a)
add_custom_command(OUTPUT ${tovcore_implib}
  COMMAND ${CMAKE_DLLTOOL} --input-def ${tovcore_def} --dllname TovCore.dll --output-lib ${tovcore_implib}
  DEPENDS ${tovcore_def}
  COMMENT "Import library for TovCore.dll")
add_custom_target(tovcore_implib DEPENDS ${tovcore_implib})

add_library(tovcore_import INTERFACE)
add_dependencies(tovcore_import tovcore_implib)
target_link_libraries(tovcore_import INTERFACE ${tovcore_implib})

set_target_properties(TovCore PROPERTIES PREFIX "")
if(TARGET TovCoreStdcall)
  # stdcall exports carry their argument bytes (TovLibDllInit@0); the board's
  # library, and so the simulator, exports the plain names.
  set_target_properties(TovCoreStdcall PROPERTIES PREFIX "")
  target_link_options(TovCoreStdcall PRIVATE "LINKER:--kill-at")
endif()
