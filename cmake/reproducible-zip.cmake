# CPack post-build script: makes the zip users get from CPack's staged
# files, so that one commit gives the same bytes in any folder, on any
# machine, for any user. CPack's own zip lists the files in directory order,
# with the builder's owner and the files' access and change times; this one
# has the files alone, sorted, each with the commit's time (SOURCE_DATE_EPOCH
# when set) as UTC, and no owner or extra times. The programs in it are
# stripped here rather than by CPack, whose strip writes the time of the
# strip into the PE header.
cmake_policy(VERSION 3.25)
include(${CPACK_GPIOCHECK_SOURCE_DIR}/cmake/commit-time.cmake)
gpiocheck_commit_time(${CPACK_GPIOCHECK_SOURCE_DIR} epoch)
if(NOT EXISTS "${CPACK_GPIOCHECK_ZIP}")
  message(FATAL_ERROR "zip is missing (cmake/ensure-tools.sh package installs it)")
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
  # time, so the time zone is fixed too, and so are the options zip would
  # otherwise take from the environment.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=ZIPOPT --unset=ZIP TZ=UTC
                          ${CPACK_GPIOCHECK_ZIP} -X -D -6 -q ${package} ${files}
                  WORKING_DIRECTORY ${staged} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "zip could not write ${package}")
  endif()
endforeach()
