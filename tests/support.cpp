#include "tests/support.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path = std::filesystem::temp_directory_path() /
         ("gpiocheck-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Utf16(const std::string& text, bool little) {
  std::string wide = little ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) wide += little ? std::string{c, '\0'} : std::string{'\0', c};
  return wide;
}

std::vector<std::string> TraceCalls(const std::filesystem::path& trace) {
  std::vector<std::string> calls;
  for (const std::string& line : ReadLines(trace)) {
    std::string call = line.substr(line.find(' ') + 1);
    if (!call.empty() && call.back() == '\r') call.pop_back();  // a trace written on Windows
    calls.push_back(call);
  }
  return calls;
}

std::string CallAt(const std::vector<std::string>& calls, size_t index) {
  return index < calls.size() ? calls[index] : "<no call " + std::to_string(index) + ">";
}

uint64_t TraceStamp(const std::filesystem::path& trace, const std::string& call) {
  for (const std::string& line : ReadLines(trace)) {
    const size_t space = line.find(' ');
    if (space == std::string::npos || space == 0 || line.compare(space + 1, call.size(), call) != 0) continue;
    if (line.find_first_not_of("0123456789") != space) continue;  // not a line of the trace's own
    return std::strtoull(line.c_str(), nullptr, 10);
  }
  return 0;
}

namespace {

std::string Capture(FILE* stream, const std::function<void()>& body) {
  fflush(stream);
  FILE* sink = tmpfile();
  const int saved = dup(fileno(stream));
  dup2(fileno(sink), fileno(stream));
  body();
  fflush(stream);
  dup2(saved, fileno(stream));
  close(saved);
  std::string captured;
  rewind(sink);
  char chunk[4096];
  size_t got = 0;
  while ((got = fread(chunk, 1, sizeof chunk, sink)) > 0) captured.append(chunk, got);
  fclose(sink);
  return captured;
}

}  // namespace

std::string CaptureStdout(const std::function<void()>& body) { return Capture(stdout, body); }

std::string CaptureStderr(const std::function<void()>& body) { return Capture(stderr, body); }
