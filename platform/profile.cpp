#include "platform/profile.h"

#include <string.h>

namespace {

// The file's text, one character a code unit: UTF-16 files are read a unit
// at a time, and a unit outside ASCII becomes '?', since such characters
// never take part in a name or a number.
struct Text {
  const unsigned char* bytes;
  size_t length;  // in characters
  size_t start;   // bytes before the first character
  int width;      // bytes a character
  bool little;
};

Text Open(const char* data, size_t size) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
  if (size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    return Text{bytes, (size - 2) / 2, 2, 2, bytes[0] == 0xFF};
  }
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return Text{bytes, size - 3, 3, 1, true};
  return Text{bytes, size, 0, 1, true};
}

char At(const Text& text, size_t i) {
  const unsigned char* unit = text.bytes + text.start + i * static_cast<size_t>(text.width);
  if (text.width == 1) return static_cast<char>(unit[0]);
  const unsigned value = text.little ? (unit[0] | (unit[1] << 8)) : ((unit[0] << 8) | unit[1]);
  return value < 0x80 ? static_cast<char>(value) : '?';
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A stretch of the text, [begin, end).
struct Span {
  size_t begin;
  size_t end;
};

Span Trim(const Text& text, Span span) {
  while (span.begin < span.end && IsBlank(At(text, span.begin))) ++span.begin;
  while (span.end > span.begin && IsBlank(At(text, span.end - 1))) --span.end;
  return span;
}

bool SameName(const Text& text, Span span, const char* name) {
  size_t i = 0;
  for (; span.begin + i < span.end && name[i] != '\0'; ++i) {
    if (Lower(At(text, span.begin + i)) != Lower(name[i])) return false;
  }
  return span.begin + i == span.end && name[i] == '\0';
}

size_t Find(const Text& text, Span span, char wanted) {
  for (size_t i = span.begin; i < span.end; ++i) {
    if (At(text, i) == wanted) return i;
  }
  return span.end;
}

void CopyValue(const Text& text, Span span, char* value, size_t capacity) {
  if (span.end - span.begin >= 2) {
    const char first = At(text, span.begin);
    if ((first == '"' || first == '\'') && At(text, span.end - 1) == first) span = Span{span.begin + 1, span.end - 1};
  }
  size_t n = 0;
  for (; span.begin + n < span.end && n + 1 < capacity; ++n) value[n] = At(text, span.begin + n);
  value[n] = '\0';
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool ProfileFindValue(const char* data, size_t size, const char* section, const char* key, char* value,
                      size_t capacity) {
  if (capacity == 0) return false;
  value[0] = '\0';
  const Text text = Open(data, size);
  bool inSection = false;
  size_t pos = 0;
  while (pos < text.length) {
    size_t end = pos;
    while (end < text.length && At(text, end) != '\r' && At(text, end) != '\n') ++end;
    const Span line = Trim(text, Span{pos, end});
    pos = end;
    if (pos < text.length && At(text, pos) == '\r') ++pos;
    if (pos < text.length && At(text, pos) == '\n') ++pos;

    if (line.begin == line.end || At(text, line.begin) == ';') continue;
    if (At(text, line.begin) == '[') {
      const size_t close = Find(text, line, ']');
      if (close != line.end) {
        if (inSection) return false;  // the first section of the name has ended
        inSection = SameName(text, Trim(text, Span{line.begin + 1, close}), section);
        continue;
      }
    }
    if (!inSection) continue;
    const size_t equals = Find(text, line, '=');
    if (!SameName(text, Trim(text, Span{line.begin, equals}), key)) continue;
    if (equals != line.end) CopyValue(text, Trim(text, Span{equals + 1, line.end}), value, capacity);
    return true;
  }
  return false;
}

uint32_t ProfileParseInt(const char* text) {
  const char* c = text;
  while (*c != '\0' && static_cast<unsigned char>(*c) <= ' ') ++c;
  bool negative = false;
  if (*c == '-' || *c == '+') negative = *c++ == '-';
  uint32_t base = 10;
  if (c[0] == '0' && c[1] == 'x') base = 16;
  if (c[0] == '0' && c[1] == 'o') base = 8;
  if (c[0] == '0' && c[1] == 'b') base = 2;
  if (base != 10) c += 2;
  uint32_t result = 0;
  for (; *c != '\0'; ++c) {
    const int digit = DigitValue(*c);
    if (digit >= static_cast<int>(base)) break;
    result = result * base + static_cast<uint32_t>(digit);
  }
  return negative ? 0u - result : result;
}

uint32_t ProfileIntFromData(const char* data, size_t size, const char* section, const char* key, int32_t fallback) {
  char value[kProfileNumberLength + 1];
  if (!ProfileFindValue(data, size, section, key, value, sizeof value) || value[0] == '\0') {
    return static_cast<uint32_t>(fallback);
  }
  return ProfileParseInt(value);
}
