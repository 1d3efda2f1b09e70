// Brings tidy_probe.h before clang-tidy; built by nothing.
#include "tests/tidy_probe.h"
