// Helpers shared by the tests: temporary folders, files and captured output.
#ifndef GPIOCHECK_TESTS_SUPPORT_H
#define GPIOCHECK_TESTS_SUPPORT_H

#include <stdint.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A fresh folder under the system's temporary directory, removed on scope exit.
struct TempDir {
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::filesystem::path path;
};

void WriteFile(const std::filesystem::path& path, const std::string& contents);
std::string ReadFile(const std::filesystem::path& path);
std::vector<std::string> ReadLines(const std::filesystem::path& path);

// The text as UTF-16 (little or big endian) behind its byte order mark.
std::string Utf16(const std::string& text, bool little);

// The calls in a simulator trace, without their timestamps.
std::vector<std::string> TraceCalls(const std::filesystem::path& trace);
// One call of those, or "<no call N>" when the trace is shorter, so that a
// run that went wrong fails a test instead of crashing it.
std::string CallAt(const std::vector<std::string>& calls, size_t index);
// The timestamp (microseconds) of the first traced call that starts with
// `call`, or 0 when there is none.
uint64_t TraceStamp(const std::filesystem::path& trace, const std::string& call);

// Everything the function writes to standard output.
std::string CaptureStdout(const std::function<void()>& body);
// Everything the function writes to standard error.
std::string CaptureStderr(const std::function<void()>& body);

#endif
