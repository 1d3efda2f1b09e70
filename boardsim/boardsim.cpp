// A healthy simulated board by default; TovCoreSim.ini makes it misbehave in
// the ways the tool has to cope with.
#include "boardsim/boardsim.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/profile.h"
#include "settings/settings.h"

namespace {

const char kProfileName[] = "TovCoreSim.ini";

struct TextAnswer {
  std::string text;
  int32_t sizeError;  // nonzero: the size call fails with it, length still told
  int32_t fillError;  // nonzero: the fill call fails with it
  bool lengthOverridden;
  uint32_t length;  // reported in place of the real length
};

struct Board {
  bool loaded = false;
  bool initialized = false;
  int32_t lastError = ERRLIB_SUCCESS;
  int32_t version[4] = {0, 0, 0, 0};
  int32_t initError = ERRLIB_SUCCESS;
  bool lengthCountsZero = false;
  bool terminate = true;
  bool fillVersion = true;
  bool fillStatus = true;
  TextAnswer bios;
  TextAnswer platform;
  std::map<int32_t, int32_t> pins;  // the pins that exist, with their states
  FILE* trace = nullptr;
};

Board& TheBoard() {
  static Board board;  // cppcheck-suppress unassignedVariable
  return board;
}

struct Profile {
  std::string data;
};

bool Text(const Profile& profile, const char* section, const char* key, std::string* value) {
  return ProfileFindValue(profile.data.data(), profile.data.size(), section, key, value);
}

std::string TextOr(const Profile& profile, const char* section, const char* key, const char* fallback) {
  std::string value;
  return Text(profile, section, key, &value) ? value : std::string(fallback);
}

int32_t Number(const Profile& profile, const char* section, const char* key, int32_t fallback) {
  return static_cast<int32_t>(ProfileIntFromData(profile.data.data(), profile.data.size(), section, key, fallback));
}

// "0-15,20" style lists.
void AddPins(const std::string& list, std::map<int32_t, int32_t>* pins) {
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find(',', pos);
    if (end == std::string::npos) end = list.size();
    const std::string item = list.substr(pos, end - pos);
    const size_t dash = item.find('-', 1);
    const int32_t first = static_cast<int32_t>(ProfileParseInt(item.substr(0, dash)));
    const int32_t last =
        dash == std::string::npos ? first : static_cast<int32_t>(ProfileParseInt(item.substr(dash + 1)));
    for (int64_t pin = first; pin <= last && pins->size() < 4096; ++pin) {
      (*pins)[static_cast<int32_t>(pin)] = ESCORE_GPIO_INPUT_LOW;
    }
    pos = end + 1;
  }
}

void LoadText(const Profile& profile, const char* key, const char* fallback, TextAnswer* answer) {
  answer->text = TextOr(profile, "BOARD", key, fallback);
  answer->sizeError = Number(profile, "FAIL", (std::string(key) + "Size").c_str(), 0);
  answer->fillError = Number(profile, "FAIL", (std::string(key) + "Fill").c_str(), 0);
  std::string length;
  answer->lengthOverridden = Text(profile, "QUIRKS", (std::string(key) + "Length").c_str(), &length) && !length.empty();
  answer->length = answer->lengthOverridden ? ProfileParseInt(length) : 0;
}

std::string ResolveBeside(const std::string& profilePath, const std::string& name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':')) return name;
  std::vector<char> path(profilePath.size() + name.size() + 1);
  if (!ComposePathBeside(profilePath.c_str(), kPlatformPathSeparator, name.c_str(), path.data(), path.size())) {
    return name;
  }
  return std::string(path.data());
}

// "a.b.c.d"; missing numbers read as 0.
void ParseVersion(const std::string& text, int32_t (&version)[4]) {
  size_t pos = 0;
  for (int32_t& number : version) {
    const size_t dot = text.find('.', pos);
    number = pos < text.size() ? static_cast<int32_t>(ProfileParseInt(text.substr(pos, dot - pos))) : 0;
    pos = dot == std::string::npos ? text.size() : dot + 1;
  }
}

void Load(const char* path) {
  Board& board = TheBoard();
  if (board.trace != nullptr) fclose(board.trace);
  board = Board();
  board.loaded = true;

  const std::string profilePath = path != nullptr ? std::string(path) : PathBesideExecutable(kProfileName);
  Profile profile;
  if (!profilePath.empty()) ProfileReadFile(profilePath.c_str(), &profile.data);

  const std::string version = TextOr(profile, "BOARD", "Version", "2.4.0.17");
  ParseVersion(version, board.version);
  LoadText(profile, "BIOSVersion", "SIMBIOS 1.07.2 (simulated)", &board.bios);
  LoadText(profile, "PlatformName", "SIM-SIO-BOARD", &board.platform);
  board.initError = Number(profile, "FAIL", "Init", 0);
  board.lengthCountsZero = Number(profile, "BOARD", "LengthCountsZero", 0) != 0;
  board.terminate = Number(profile, "QUIRKS", "Terminate", 1) != 0;
  board.fillVersion = Number(profile, "QUIRKS", "FillVersion", 1) != 0;
  board.fillStatus = Number(profile, "QUIRKS", "FillStatus", 1) != 0;

  AddPins(TextOr(profile, "BOARD", "Pins", "0-63"), &board.pins);
  for (auto& pin : board.pins) {
    pin.second = Number(profile, "PINS", std::to_string(pin.first).c_str(), ESCORE_GPIO_INPUT_LOW);
  }

  const std::string trace = TextOr(profile, "BOARD", "Trace", "");
  if (!trace.empty()) board.trace = fopen(ResolveBeside(profilePath, trace).c_str(), "w");
}

Board& Ready() {
  if (!TheBoard().loaded) Load(nullptr);
  return TheBoard();
}

void Trace(const char* format, ...) {
  Board& board = TheBoard();
  if (board.trace == nullptr) return;
  fprintf(board.trace, "%llu ", static_cast<unsigned long long>(PlatformMonotonicMicros()));
  va_list args;
  va_start(args, format);
  vfprintf(board.trace, format, args);
  va_end(args);
  fputc('\n', board.trace);
  fflush(board.trace);
}

bool Fail(int32_t code) {
  TheBoard().lastError = code;
  return false;
}

bool Succeed() {
  TheBoard().lastError = ERRLIB_SUCCESS;
  return true;
}

bool AnswerText(const TextAnswer& answer, char* buffer, uint32_t* length) {
  Board& board = TheBoard();
  if (!board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  if (length == nullptr) return Fail(ERRLIB_INVALID_PARAMETER);
  const uint32_t textLength = static_cast<uint32_t>(answer.text.size());
  const uint32_t needed = textLength + (board.lengthCountsZero ? 1u : 0u);
  if (buffer == nullptr) {
    *length = answer.lengthOverridden ? answer.length : needed;
    return answer.sizeError != 0 ? Fail(answer.sizeError) : Succeed();
  }
  if (answer.fillError != 0) return Fail(answer.fillError);
  if (*length < textLength) return Fail(ERRLIB_ARRAY_LENGTH_INSUFFICIENT);
  memcpy(buffer, answer.text.data(), textLength);
  if (board.terminate && *length > textLength) buffer[textLength] = '\0';
  return Succeed();
}

const char* Shown(const char* buffer) { return buffer == nullptr ? "null" : "buffer"; }

unsigned Shown(const uint32_t* length) { return length == nullptr ? 0u : *length; }

}  // namespace

extern "C" {

TOVCORE_EXPORT void TOVAPI TovSimLoadProfile(const char* path) { Load(path); }

TOVCORE_EXPORT bool TOVAPI TovLibDllGetVersion(int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4) {
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

TOVCORE_EXPORT bool TOVAPI TovLibDllInit(void) {
  Board& board = Ready();
  const bool ok = board.initError == 0;
  Trace("TovLibDllInit -> %d", ok ? 1 : 0);
  if (!ok) return Fail(board.initError);
  board.initialized = true;
  return Succeed();
}

TOVCORE_EXPORT int32_t TOVAPI TovLibDllGetLastError(void) {
  Board& board = Ready();
  Trace("TovLibDllGetLastError -> 0x%X", static_cast<unsigned>(board.lastError));
  return board.lastError;
}

TOVCORE_EXPORT bool TOVAPI TovLibGetBIOSVersion(char* buffer, uint32_t* length) {
  const Board& board = Ready();
  Trace("TovLibGetBIOSVersion %s %u", Shown(buffer), Shown(length));
  return AnswerText(board.bios, buffer, length);
}

TOVCORE_EXPORT bool TOVAPI TovLibGetPlatformName(char* buffer, uint32_t* length) {
  const Board& board = Ready();
  Trace("TovLibGetPlatformName %s %u", Shown(buffer), Shown(length));
  return AnswerText(board.platform, buffer, length);
}

TOVCORE_EXPORT bool TOVAPI TovLibGetSioGpioValue(int32_t gpio, GpioStatus* status) {
  Board& board = Ready();
  Trace("TovLibGetSioGpioValue %d", static_cast<int>(gpio));
  if (!board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  if (status == nullptr) return Fail(ERRLIB_INVALID_PARAMETER);
  const auto pin = board.pins.find(gpio);
  if (pin == board.pins.end()) return Fail(ERRLIB_INVALID_ID);
  if (board.fillStatus) {
    status->reserved = static_cast<uint32_t>(gpio);
    status->state = pin->second;
  }
  return Succeed();
}

TOVCORE_EXPORT bool TOVAPI TovLibSetSioGpioValue(int32_t gpio, int32_t state) {
  Board& board = Ready();
  Trace("TovLibSetSioGpioValue %d %d", static_cast<int>(gpio), static_cast<int>(state));
  if (!board.initialized) return Fail(ERRLIB_DLL_NOT_INIT);
  const auto pin = board.pins.find(gpio);
  if (pin == board.pins.end()) return Fail(ERRLIB_INVALID_ID);
  if (state != ESCORE_GPIO_OUTPUT_LOW && state != ESCORE_GPIO_OUTPUT_HIGH && state != ESCORE_GPIO_INPUT_LOW &&
      state != ESCORE_GPIO_INPUT_HIGH) {
    return Fail(ERRLIB_INVALID_PARAMETER);
  }
  pin->second = state;
  return Succeed();
}

TOVCORE_EXPORT bool TOVAPI TovLibDllUnInit(void) {
  Board& board = Ready();
  Trace("TovLibDllUnInit");
  board.initialized = false;
  return Succeed();
}

}  // extern "C"
