# Warnings as errors for the project's own code only.
function(gpiocheck_warnings target)
  # Not for a version resource: the resource compiler takes no warning flags.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wpedantic -Werror>)
endfunction()
