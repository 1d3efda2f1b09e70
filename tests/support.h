// Helpers shared by the tests: temporary folders, files and captured output.
#ifndef GPIOCHECK_TESTS_SUPPORT_H
#define GPIOCHECK_TESTS_SUPPORT_H

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

// Everything the function writes to standard output.
std::string CaptureStdout(const std::function<void()>& body);

#endif
