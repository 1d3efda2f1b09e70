// A deliberate finding in one of the project's headers: the lint step checks
// that clang-tidy reports it, so that a header filter that matches nothing
// cannot pass for a clean tree. Built by nothing.
#ifndef GPIOCHECK_TESTS_TIDY_PROBE_H
#define GPIOCHECK_TESTS_TIDY_PROBE_H

int g_tidyProbe = 0;

#endif
