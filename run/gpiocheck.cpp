#include "run/gpiocheck.h"

#include <stdio.h>
#include <stdlib.h>

#include "platform/platform.h"
#include "report/codes.h"
#include "run/tovcalls.h"
#include "settings/settings.h"

namespace {

const char kBanner[] = "==============================================\n";
const char kSeparator[] = "--------------------------------------\n";

// Delays at or above this are cut to it: on Windows all ones waits forever.
const uint32_t kLongestDelay = 0xFFFFFFFEu;

// Flushes what has been printed, then waits the delay in milliseconds. An
// interrupt ends the wait early, and the run goes on to drive the pin high
// and close the library; standard error says so.
void WaitDelay(int32_t delayTime) {
  uint32_t milliseconds = static_cast<uint32_t>(delayTime);
  if (milliseconds > kLongestDelay) milliseconds = kLongestDelay;
  // Whoever reads a pipe or a log sees the low state while the pin is held.
  fflush(stdout);
  const uint64_t start = PlatformMonotonicMicros();
  if (!PlatformSleep(milliseconds)) {
    // Never longer than the delay, so it fits its 32 bits.
    const uint64_t waited = (PlatformMonotonicMicros() - start) / 1000u;
    fprintf(stderr,
            "gpiocheck: wait cut short after %lu of %lu ms\n",
            static_cast<unsigned long>(waited),
            static_cast<unsigned long>(milliseconds));
  }
}

void ShowPinState(int32_t gpio, GpioStatus* status) {
  TovLibGetSioGpioValue(gpio, status);
  PrintGpioState(status);
}

}  // namespace

void QueryLibText(LibTextQuery query, const char* labelFormat) {
  uint32_t length = 0;
  const bool sized = query(nullptr, &length);
  // An interrupt during a call: nothing more is asked of the library or
  // printed; the run says why.
  if (PlatformStopRequested()) return;
  if (!sized) PrintLibError(TovLibDllGetLastError());
  if (length > kMaxLibTextLength) {
    PrintLibError(ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT);
    return;
  }
  // One byte past the reported length stays zero, so the text always ends
  // inside the buffer whatever the fill call writes.
  const size_t size = static_cast<size_t>(length) + 1;
  char* buffer = static_cast<char*>(calloc(size, 1));
  if (buffer == nullptr) {
    PrintLibError(ERRLIB_OUTBUF_RETURN_SIZE_INCORRECT);
    return;
  }
  const bool filled = query(buffer, &length);
  buffer[size - 1] = '\0';
  if (!PlatformStopRequested()) {
    if (filled) {
      printf(labelFormat, buffer);
    } else {
      PrintLibError(TovLibDllGetLastError());
    }
  }
  free(buffer);
}

namespace {

// True, with one line on standard error, when an interrupt has come before
// the pin was driven: the run then touches nothing more but the library's
// release.
bool StoppedBeforePin() {
  if (!PlatformStopRequested()) return false;
  fprintf(stderr, "gpiocheck: interrupted before the pin was driven; the pin was not touched\n");
  return true;
}

// Everything between the library's start and its release. An interrupt
// before the low drive ends it there; once the pin is low it only shortens
// the wait, so that the pin is never left low.
void IdentifyAndExercise() {
  int32_t version[4] = {0, 0, 0, 0};
  TovLibDllGetVersion(&version[0], &version[1], &version[2], &version[3]);
  printf("DLL Version [%d.%d.%d.%d]\n",
         static_cast<int>(version[0]),
         static_cast<int>(version[1]),
         static_cast<int>(version[2]),
         static_cast<int>(version[3]));
  // A board library may take seconds to start; what is printed so far shows
  // meanwhile.
  fflush(stdout);
  if (StoppedBeforePin()) return;

  const bool started = TovLibDllInit();
  if (StoppedBeforePin()) return;
  if (!started) {
    PrintLibError(TovLibDllGetLastError());
    return;
  }
  QueryLibText(TovLibGetBIOSVersion, "BIOS Version [%s]\n");
  if (StoppedBeforePin()) return;
  QueryLibText(TovLibGetPlatformName, "Platform [%s]\n");
  if (StoppedBeforePin()) return;
  printf("%s", kBanner);

  const GpioSettings settings = LoadGpioSettings();
  if (StoppedBeforePin()) return;
  printf("Get GPIO%d\n", static_cast<int>(settings.gpio));
  printf("DELAYTIME = %d\n", static_cast<int>(settings.delayTime));
  printf("\n");

  GpioStatus status{0, 0};
  printf("Currnet state\n%s", kSeparator);
  ShowPinState(settings.gpio, &status);
  // The last look: an interrupt after it leaves at most a short pulse.
  if (StoppedBeforePin()) return;
  TovLibSetSioGpioValue(settings.gpio, ESCORE_GPIO_OUTPUT_LOW);

  printf("\nNew state before delay\n%s", kSeparator);
  ShowPinState(settings.gpio, &status);
  WaitDelay(settings.delayTime);
  TovLibSetSioGpioValue(settings.gpio, ESCORE_GPIO_OUTPUT_HIGH);

  printf("\nNew state after delay\n%s", kSeparator);
  ShowPinState(settings.gpio, &status);
}

}  // namespace

int RunGpioCheck() {
  PlatformPrepareProcess();
  // Only a console is cleared: in a file or a pipe the clearing would leave
  // stray bytes (cmd's CLS writes a form feed there) ahead of the banner.
  if (PlatformOutputIsConsole()) PlatformClearConsole();
  printf("%s", kBanner);
  IdentifyAndExercise();
  // On every way out, after a failed start or an interrupt too.
  TovLibDllUnInit();
  PlatformRunFinished();
  return 0;
}
