# CPack post-build script: makes the zip users get from CPack's staged
# files, so that one commit gives the same bytes in any folder, on any
# machine, for any user. CPack's own zip lists the files in directory order,
# with the builder's owner and the files' access and change times; this one
# has the files alone, sorted, each with the commit's time (SOURCE_DATE_EPOCH
# when set) as UTC, and no owner or extra times. The programs in it are
# stripped here rather than by CPack, whose strip writes the time of the
# strip into the PE header.
cmake_policy(VERSION 3.25)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${CPACK_GPIOCHECK_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    # The earliest time a zip can hold, 1980-01-01.
    message(WARNING "no commit to take the zip's time from in ${CPACK_GPIOCHECK_SOURCE_DIR}: 1980-01-01")
    set(epoch 315532800)
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${epoch}")
endif()
if(NOT EXISTS "${CPACK_GPIOCHECK_ZIP}")
  message(FATAL_ERROR "zip is missing (cmake/ensure-tools.sh test installs it)")
endif()

set(staged ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staged} ${staged}/*)
list(SORT files)
set(programs ${files})
list(FILTER programs INCLUDE REGEX "\\.(exe|dll)$")
# The debug information stays in the build tree; a time stamp of 0, as the
# linker leaves it.
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CPACK_GPIOCHECK_STRIP} ${programs}
                WORKING_DIRECTORY ${staged} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot strip ${programs}")
endif()
execute_process(COMMAND touch -d @${epoch} ${files} WORKING_DIRECTORY ${staged} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot set the times of the files in ${staged}")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE ${package})
  # -X: no owner or extra times; -D: no folder entries. A zip holds local
  # time, so the time zone is fixed too.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${CPACK_GPIOCHECK_ZIP} -X -D -q ${package} ${files}
                  WORKING_DIRECTORY ${staged} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "zip could not write ${package}")
  endif()
endforeach()
