# Windows: the program imports TovCore.dll at load time through an import
# library made from the module-definition file, and Windows finds the DLL in
# the program's own folder first.
set(tovcore_def ${CMAKE_SOURCE_DIR}/boardsim/TovCore.def)
set(tovcore_implib ${CMAKE_BINARY_DIR}/lib/libTovCore-import.a)
if(TOVCORE_STDCALL)
  set(tovcore_stdcall_def ${CMAKE_BINARY_DIR}/lib/TovCore-stdcall.def)
  add_custom_command(OUTPUT ${tovcore_implib}
    COMMAND ${CMAKE_COMMAND} -DIN=${tovcore_def} -DOUT=${tovcore_stdcall_def}
            -P ${CMAKE_CURRENT_LIST_DIR}/stdcall-def.cmake
    COMMAND ${CMAKE_DLLTOOL} --input-def ${tovcore_stdcall_def} --kill-at --dllname TovCore.dll
            --output-lib ${tovcore_implib}
    DEPENDS ${tovcore_def} ${CMAKE_CURRENT_LIST_DIR}/stdcall-def.cmake
    COMMENT "Import library for TovCore.dll (stdcall)")
else()
  add_custom_command(OUTPUT ${tovcore_implib}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${tovcore_def} --dllname TovCore.dll --output-lib ${tovcore_implib}
    DEPENDS ${tovcore_def}
    COMMENT "Import library for TovCore.dll")
endif()
add_custom_target(tovcore_implib DEPENDS ${tovcore_implib})

add_library(tovcore_import INTERFACE)
add_dependencies(tovcore_import tovcore_implib)
target_link_libraries(tovcore_import INTERFACE ${tovcore_implib})

# Plain export names in both conventions.
if(TOVCORE_STDCALL)
  target_link_options(TovCore PRIVATE "LINKER:--kill-at")
endif()
set_target_properties(TovCore PROPERTIES PREFIX "" OUTPUT_NAME TovCore)

function(gpiocheck_beside_library target)
endfunction()
