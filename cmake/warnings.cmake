# Warnings as errors for the project's own code only.
function(gpiocheck_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
