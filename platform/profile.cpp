#include "platform/profile.h"

#include <stdio.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// UTF-16 files are narrowed to one byte a code unit; characters outside
// ASCII never take part in a name or a number, so '?' stands for them.
std::string Narrow(const char* data, size_t size) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
  if (size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    const bool little = bytes[0] == 0xFF;
    std::string text;
    text.reserve(size / 2);
    for (size_t i = 2; i + 1 < size; i += 2) {
      const unsigned unit = little ? (bytes[i] | (bytes[i + 1] << 8)) : ((bytes[i] << 8) | bytes[i + 1]);
      text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
  }
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return std::string(data + 3, size - 3);
  return std::string(data, size);
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2) {
    const char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first) return value.substr(1, value.size() - 2);
  }
  return value;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

bool ProfileFindValue(const char* data, size_t size, const char* section, const char* key, std::string* value) {
  const std::string text = Narrow(data, size);
  bool inSection = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      if (close != std::string::npos) {
        if (inSection) return false;  // the first section of the name has ended
        inSection = SameName(Trim(line.substr(1, close - 1)), section);
        continue;
      }
    }
    if (!inSection) continue;
    const size_t equals = line.find('=');
    const std::string name = Trim(line.substr(0, equals));
    if (!SameName(name, key)) continue;
    *value = equals == std::string::npos ? std::string() : Unquote(Trim(line.substr(equals + 1)));
    return true;
  }
  return false;
}

uint32_t ProfileParseInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  uint32_t base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = text[i + 1];
    if (prefix == 'x') base = 16;
    if (prefix == 'o') base = 8;
    if (prefix == 'b') base = 2;
    if (base != 10) i += 2;
  }
  uint32_t result = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit >= static_cast<int>(base)) break;
    result = result * base + static_cast<uint32_t>(digit);
  }
  return negative ? 0u - result : result;
}

uint32_t ProfileIntFromData(const char* data, size_t size, const char* section, const char* key, int32_t fallback) {
  std::string value;
  if (!ProfileFindValue(data, size, section, key, &value) || value.empty()) return static_cast<uint32_t>(fallback);
  // Windows reads the value into a 30-character buffer before it parses it.
  return ProfileParseInt(value.substr(0, kProfileNumberLength));
}

bool ProfileReadFile(const char* path, std::string* contents) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return false;
  contents->clear();
  char chunk[4096];
  size_t got = 0;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) contents->append(chunk, got);
  const bool ok = ferror(file) == 0;
  fclose(file);
  return ok;
}

uint32_t ProfileIntFromFile(const char* section, const char* key, int32_t fallback, const char* path) {
  std::string contents;
  if (!ProfileReadFile(path, &contents)) return static_cast<uint32_t>(fallback);
  return ProfileIntFromData(contents.data(), contents.size(), section, key, fallback);
}
