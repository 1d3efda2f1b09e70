#include "run/gpiocheck.h"

int main() { return RunGpioCheck(); }
