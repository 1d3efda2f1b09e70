// Turns the library's numeric codes into named console lines.
#ifndef GPIOCHECK_REPORT_CODES_H
#define GPIOCHECK_REPORT_CODES_H

#include <stdint.h>

#include "run/tovtypes.h"

// One line for the record's state; nothing for a null record.
void PrintGpioState(const GpioStatus* status);
// One line: the code in hexadecimal, then its name.
void PrintLibError(int32_t code);

#endif
