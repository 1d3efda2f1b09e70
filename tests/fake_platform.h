// A platform the tests steer: the executable's path is theirs to set, and the
// console clears and waits are recorded instead of done.
#ifndef GPIOCHECK_TESTS_FAKE_PLATFORM_H
#define GPIOCHECK_TESTS_FAKE_PLATFORM_H

#include <stdint.h>

#include <string>
#include <vector>

struct FakePlatform {
  std::string executablePath;
  bool executablePathFails = false;
  bool outputIsConsole = true;
  bool waitInterrupted = false;  // each wait reports itself cut short
  int stopAtLook = 0;            // an interrupt is seen from this look on (0: never)
  int looks = 0;                 // how often the run asked for an interrupt
  int clears = 0;
  int finished = 0;
  std::vector<uint32_t> sleeps;
};

// The one fake in use; reset it at the start of each test.
FakePlatform& Fake();

#endif
