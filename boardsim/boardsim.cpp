// A healthy simulated board by default; TovCoreSim.ini makes it misbehave in
// the ways the tool has to cope with. Kept to plain buffers, like the tool,
// so that loading it costs no C++ runtime.
// Boolean results as the whole result register, so that the bits above the
// low byte can carry noise, as a library's may.
#define TOVCORE_BOOL uint32_t
#include "boardsim/boardsim.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/platform.h"
#include "platform/profile.h"
#include "settings/settings.h"

namespace {

const char kProfileName[] = "TovCoreSim.ini";
const size_t kMaxPins = 4096;
const size_t kTextCapacity = 1024;

struct TextAnswer {
  char text[kTextCapacity];
  int32_t sizeError;  // nonzero: the size call fails with it, length still told
  int32_t fillError;  // nonzero: the fill call fails with it
  bool lengthOverridden;
  uint32_t length;  // reported in place of the real length
};

struct Pin {
  int32_t number;
  int32_t state;
};

struct Board {
  bool loaded;
  bool initialized;
  int32_t lastError;
  int32_t version[4];
  int32_t initError;
  bool lengthCountsZero;
  bool terminate;
  bool overfill;
  bool fillVersion;
  bool fillStatus;
  bool noisyBool;
  uint32_t initMillis;
  TextAnswer bios;
  TextAnswer platform;
  Pin pins[kMaxPins];  // the pins that exist, with their states
  size_t pinCount;
  FILE* trace;
  // Lines not yet written: a write per call would sit inside the pulse the
  // trace measures (under Wine some 20 us each).
  char pending[16384];
  size_t pendingLength;
};

Board g_board;

// The profile's bytes, while it is being read.
struct Profile {
  char* data;
  size_t size;
};

bool Text(const Profile& profile, const char* section, const char* key, char* value, size_t capacity) {
  return ProfileFindValue(profile.data, profile.size, section, key, value, capacity);
}

void TextOr(const Profile& profile, const char* section, const char* key, const char* fallback, char* value,
            size_t capacity) {
  if (!Text(profile, section, key, value, capacity)) snprintf(value, capacity, "%s", fallback);
}

int32_t Number(const Profile& profile, const char* section, const char* key, int32_t fallback) {
  return static_cast<int32_t>(ProfileIntFromData(profile.data, profile.size, section, key, fallback));
}

// "0-15,20" style lists.
void AddPins(char* list) {
  for (char* item = strtok(list, ","); item != nullptr; item = strtok(nullptr, ",")) {
    char* dash = item[0] != '\0' ? strchr(item + 1, '-') : nullptr;
    if (dash != nullptr) *dash = '\0';
    const int64_t first = static_cast<int32_t>(ProfileParseInt(item));
    const int64_t last = dash == nullptr ? first : static_cast<int32_t>(ProfileParseInt(dash + 1));
    for (int64_t pin = first; pin <= last && g_board.pinCount < kMaxPins; ++pin) {
      g_board.pins[g_board.pinCount++] = Pin{static_cast<int32_t>(pin), ESCORE_GPIO_INPUT_LOW};
    }
  }
}

Pin* FindPin(int32_t number) {
  for (size_t i = 0; i < g_board.pinCount; ++i) {
    if (g_board.pins[i].number == number) return &g_board.pins[i];
  }
  return nullptr;
}

void LoadText(const Profile& profile, const char* key, const char* fallback, TextAnswer* answer) {
  char name[64];
  TextOr(profile, "BOARD", key, fallback, answer->text, sizeof answer->text);
  snprintf(name, sizeof name, "%sSize", key);
  answer->sizeError = Number(profile, "FAIL", name, 0);
  snprintf(name, sizeof name, "%sFill", key);
  answer->fillError = Number(profile, "FAIL", name, 0);
  char length[32];
  snprintf(name, sizeof name, "%sLength", key);
  answer->lengthOverridden = Text(profile, "QUIRKS", name, length, sizeof length) && length[0] != '\0';
  answer->length = answer->lengthOverridden ? ProfileParseInt(length) : 0;
}

// "a.b.c.d"; missing numbers read as 0.
void ParseVersion(const char* text) {
  const char* at = text;
  for (int32_t& number : g_board.version) {
    number = static_cast<int32_t>(ProfileParseInt(at));
    const char* dot = strchr(at, '.');
    at = dot != nullptr ? dot + 1 : "";
  }
}

void OpenTrace(const char* profilePath, const char* name) {
  if (name[0] == '\0') return;
  const bool absolute = name[0] == '/' || name[0] == '\\' || name[1] == ':';
  char path[kPlatformPathCapacity];
  if (absolute || !ComposePathBeside(profilePath, kPlatformPathSeparator, name, path, sizeof path)) {
    snprintf(path, sizeof path, "%s", name);
  }
  g_board.trace = PlatformOpenFile(path, "w");
}

void WriteTrace() {
  if (g_board.trace == nullptr || g_board.pendingLength == 0) return;
  fwrite(g_board.pending, 1, g_board.pendingLength, g_board.trace);
  fflush(g_board.trace);
  g_board.pendingLength = 0;
}

void Load(const char* path) {
  WriteTrace();
  if (g_board.trace != nullptr) fclose(g_board.trace);
  memset(&g_board, 0, sizeof g_board);
  g_board.loaded = true;

  char profilePath[kPlatformPathCapacity] = "";
  if (path != nullptr) {
    snprintf(profilePath, sizeof profilePath, "%s", path);
  } else {
    PathBesideExecutable(kProfileName, profilePath, sizeof profilePath);
  }
  Profile profile{nullptr, 0};
  if (profilePath[0] != '\0') PlatformReadFile(profilePath, kProfileFileLimit, &profile.data, &profile.size);

  char text[kTextCapacity];
  TextOr(profile, "BOARD", "Version", "2.4.0.17", text, sizeof text);
  ParseVersion(text);
  LoadText(profile, "BIOSVersion", "SIMBIOS 1.07.2 (simulated)", &g_board.bios);
  LoadText(profile, "PlatformName", "SIM-SIO-BOARD", &g_board.platform);
  g_board.initError = Number(profile, "FAIL", "Init", 0);
  g_board.lengthCountsZero = Number(profile, "BOARD", "LengthCountsZero", 0) != 0;
  g_board.terminate = Number(profile, "QUIRKS", "Terminate", 1) != 0;
  g_board.overfill = Number(profile, "QUIRKS", "Overfill", 0) != 0;
  g_board.fillVersion = Number(profile, "QUIRKS", "FillVersion", 1) != 0;
  g_board.fillStatus = Number(profile, "QUIRKS", "FillStatus", 1) != 0;
  g_board.noisyBool = Number(profile, "QUIRKS", "NoisyBool", 0) != 0;
  g_board.initMillis = static_cast<uint32_t>(Number(profile, "QUIRKS", "InitMillis", 0));

  TextOr(profile, "BOARD", "Pins", "0-63", text, sizeof text);
  AddPins(text);
  for (size_t i = 0; i < g_board.pinCount; ++i) {
    char key[16];
    snprintf(key, sizeof key, "%d", static_cast<int>(g_board.pins[i].number));
    g_board.pins[i].state = Number(profile, "PINS", key, ESCORE_GPIO_INPUT_LOW);
  }

  TextOr(profile, "BOARD", "Trace", "", text, sizeof text);
  OpenTrace(profilePath, text);
  free(profile.data);
}

Board& Ready() {
  if (!g_board.loaded) Load(nullptr);
  return g_board;
}

// Like a board library that gets ready as it is loaded, the simulator reads
// its profile and opens its trace before the program's own code runs.
__attribute__((constructor)) void LoadOnLoad() { Ready(); }

// A line of the trace: a monotonic microsecond stamp, then the call. Lines
// are kept until the library is released or unloaded, or the store is full.
void Trace(const char* format, ...) {
  if (g_board.trace == nullptr) return;
  const unsigned long long stamp = static_cast<unsigned long long>(PlatformMonotonicMicros());
  char line[512];
  int length = snprintf(line, sizeof line, "%llu ", stamp);
  va_list args;
  va_start(args, format);
  if (length > 0 && static_cast<size_t>(length) < sizeof line) {
    const int call = vsnprintf(line + length, sizeof line - static_cast<size_t>(length), format, args);
    length = call < 0 ? -1 : length + call;
  }
  va_end(args);
  if (length < 0) return;
  // A cut line still ends in a line feed.
  size_t used = static_cast<size_t>(length) < sizeof line - 1 ? static_cast<size_t>(length) : sizeof line - 2;
  line[used++] = '\n';
  if (g_board.pendingLength + used > sizeof g_board.pending) WriteTrace();
  memcpy(g_board.pending + g_board.pendingLength, line, used);
  g_board.pendingLength += used;
}

__attribute__((destructor)) void WriteTraceOnUnload() { WriteTrace(); }

// A boolean result as the register holds it; with NoisyBool the bits above
// the low byte are not zero, whatever the answer.
TOVCORE_BOOL Answer(bool ok) { return (g_board.noisyBool ? 0x5A5A5A00u : 0u) | (ok ? 1u : 0u); }

TOVCORE_BOOL Fail(int32_t code) {
  g_board.lastError = code;
  return Answer(false);
}

TOVCORE_BOOL Succeed() {
  g_board.lastError = ERRLIB_SUCCESS;
  return Answer(true);
}

TOVCORE_BOOL AnswerText(const TextAnswer& answer, char* buffer, uint32_t* length) {
  if (!g_board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  if (length == nullptr) return Fail(ERRLIB_INVALID_PARAMETER);
  const uint32_t textLength = static_cast<uint32_t>(strlen(answer.text));
  const uint32_t needed = textLength + (g_board.lengthCountsZero ? 1u : 0u);
  if (buffer == nullptr) {
    *length = answer.lengthOverridden ? answer.length : needed;
    return answer.sizeError != 0 ? Fail(answer.sizeError) : Succeed();
  }
  if (answer.fillError != 0) return Fail(answer.fillError);
  if (*length < textLength) return Fail(ERRLIB_ARRAY_LENGTH_INSUFFICIENT);
  memcpy(buffer, answer.text, textLength);
  if (g_board.overfill) {
    // Up to one byte past the told length, as a careless library would, and
    // no terminating zero.
    memset(buffer + textLength, '#', static_cast<size_t>(*length - textLength) + 1);
    return Succeed();
  }
  if (g_board.terminate && *length > textLength) buffer[textLength] = '\0';
  return Succeed();
}

const char* Shown(const char* buffer) { return buffer == nullptr ? "null" : "buffer"; }

unsigned Shown(const uint32_t* length) { return length == nullptr ? 0u : *length; }

}  // namespace

extern "C" {

TOVCORE_EXPORT void TovSimLoadProfile(const char* path) { Load(path); }

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4) {
  const Board& board = Ready();
  Trace("TovLibDllGetVersion");
  if (v1 == nullptr || v2 == nullptr || v3 == nullptr || v4 == nullptr) return Fail(ERRLIB_INVALID_PARAMETER);
  if (board.fillVersion) {
    *v1 = board.version[0];
    *v2 = board.version[1];
    *v3 = board.version[2];
    *v4 = board.version[3];
  }
  return Succeed();
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllInit(void) {
  Board& board = Ready();
  // A board library that opens drivers and probes the chip takes a while.
  // The trace says so at once, for whoever waits for the start to begin.
  if (board.initMillis > 0) {
    Trace("TovLibDllInit waits %u ms", static_cast<unsigned>(board.initMillis));
    WriteTrace();
    PlatformSleep(board.initMillis);
  }
  const bool ok = board.initError == 0;
  Trace("TovLibDllInit -> %d", ok ? 1 : 0);
  if (!ok) return Fail(board.initError);
  board.initialized = true;
  return Succeed();
}

TOVCORE_EXPORT int32_t TOVAPI TovLibDllGetLastError(void) {
  const Board& board = Ready();
  Trace("TovLibDllGetLastError -> 0x%X", static_cast<unsigned>(board.lastError));
  return board.lastError;
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetBIOSVersion(char* buffer, uint32_t* length) {
  const Board& board = Ready();
  Trace("TovLibGetBIOSVersion %s %u", Shown(buffer), Shown(length));
  return AnswerText(board.bios, buffer, length);
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetPlatformName(char* buffer, uint32_t* length) {
  const Board& board = Ready();
  Trace("TovLibGetPlatformName %s %u", Shown(buffer), Shown(length));
  return AnswerText(board.platform, buffer, length);
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status) {
  const Board& board = Ready();
  Trace("TovLibGetSioGpioValue %d", static_cast<int>(gpio));
  if (!board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  if (status == nullptr) return Fail(ERRLIB_INVALID_PARAMETER);
  const Pin* pin = FindPin(gpio);
  if (pin == nullptr) return Fail(ERRLIB_INVALID_ID);
  if (board.fillStatus) {
    status->reserved = static_cast<uint32_t>(gpio);
    status->state = pin->state;
  }
  return Succeed();
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibSetSioGpioValue(int32_t gpio, int32_t state) {
  const Board& board = Ready();
  Trace("TovLibSetSioGpioValue %d %d", static_cast<int>(gpio), static_cast<int>(state));
  if (!board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  Pin* pin = FindPin(gpio);
  if (pin == nullptr) return Fail(ERRLIB_INVALID_ID);
  if (state != ESCORE_GPIO_OUTPUT_LOW && state != ESCORE_GPIO_OUTPUT_HIGH && state != ESCORE_GPIO_INPUT_LOW &&
      state != ESCORE_GPIO_INPUT_HIGH) {
    return Fail(ERRLIB_INVALID_PARAMETER);
  }
  pin->state = state;
  return Succeed();
}

TOVCORE_EXPORT TOVCORE_BOOL TOVAPI TovLibDllUnInit(void) {
  Board& board = Ready();
  Trace("TovLibDllUnInit");
  WriteTrace();
  board.initialized = false;
  return Succeed();
}

}  // extern "C"
