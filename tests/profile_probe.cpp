// Test-only Windows program: prints what the Windows profile reader makes of
// each file named on the command line, one line a file:
//   <GPIO> <DELAYTIME>   (read from GPIOSETTINGS with default 77)
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const UINT gpio = GetPrivateProfileIntA("GPIOSETTINGS", "GPIO", 77, argv[i]);
    const UINT delay = GetPrivateProfileIntA("GPIOSETTINGS", "DELAYTIME", 77, argv[i]);
    printf("%u %u\n", gpio, delay);
  }
  return 0;
}
