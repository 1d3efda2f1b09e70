# The Linux build for 32-bit x86, with the host's multilib g++. Where the
# kernel refuses 32-bit processes its programs run under qemu-i386-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/probe-i386.sh RESULT_VARIABLE i386_refused
                OUTPUT_VARIABLE i386_reason OUTPUT_STRIP_TRAILING_WHITESPACE)
if(i386_refused)
  find_program(GPIOCHECK_QEMU_I386 qemu-i386-static REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GPIOCHECK_QEMU_I386})
endif()
