// Arbitrary bytes as a settings file: the reader must not crash, must stay
// inside the data, and must give the same answer for the same bytes.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  static const char* const kKeys[][2] = {{"GPIOSETTINGS", "GPIO"}, {"GPIOSETTINGS", "DELAYTIME"}, {"a", "b"}};
  for (const auto& key : kKeys) {
    const uint32_t first = ProfileIntFromData(bytes, size, key[0], key[1], 77);
    const uint32_t second = ProfileIntFromData(bytes, size, key[0], key[1], 77);
    if (first != second) abort();

    char value[64];
    char again[64];
    const bool found = ProfileFindValue(bytes, size, key[0], key[1], value, sizeof value);
    if (found != ProfileFindValue(bytes, size, key[0], key[1], again, sizeof again)) abort();
    if (strcmp(value, again) != 0 || strlen(value) > size) abort();
    if (ProfileParseInt(value) != ProfileParseInt(again)) abort();
  }
  // The number rules on the raw bytes, as a terminated text.
  std::string text(bytes, size);
  ProfileParseInt(text.c_str());
  return 0;
}
