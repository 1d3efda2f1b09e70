# gpiocheck_commit_time(SOURCE_DIR OUT): the seconds since 1970 that the zip's
# entries carry: SOURCE_DATE_EPOCH when set, else the time of the commit
# checked out in SOURCE_DIR, else (no git, no commit) 1980-01-01 with a
# warning, the earliest time a zip can hold.
function(gpiocheck_commit_time source out)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
  else()
    # A checkout of another user's is still ours to read here.
    execute_process(COMMAND git -c safe.directory=${source} -C ${source} log -1 --no-show-signature --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
      message(WARNING "no commit to take the zip's time from in ${source}: 1980-01-01")
      set(epoch 315532800)
    endif()
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${epoch}")
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()
