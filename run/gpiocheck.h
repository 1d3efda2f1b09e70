// The pin check: identify the board, then drive one GPIO pin low and high.
#ifndef GPIOCHECK_RUN_GPIOCHECK_H
#define GPIOCHECK_RUN_GPIOCHECK_H

#include <stdint.h>

#include "run/tovtypes.h"

// Longest text the run accepts from the library; a larger reported length is
// taken as a broken answer rather than allocated.
const uint32_t kMaxLibTextLength = 65535;

// Prints a text the library knows only the length of, under a label format
// ("BIOS Version [%s]\n"), or the library's error lines.
void QueryLibText(LibTextQuery query, const char* labelFormat);

// The whole run. Arguments are ignored; the exit status is always 0.
int RunGpioCheck();

#endif
