// Controls of the simulated board library beyond the eight operations.
#ifndef GPIOCHECK_BOARDSIM_BOARDSIM_H
#define GPIOCHECK_BOARDSIM_BOARDSIM_H

#include "run/tovcore.h"

extern "C" {
// Starts the board afresh from a profile file (null: "TovCoreSim.ini" beside
// the executable, which is also what the first operation call does).
TOVCORE_EXPORT void TovSimLoadProfile(const char* path);
}

#endif
