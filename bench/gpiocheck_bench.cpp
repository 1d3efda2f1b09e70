// Figures for HACKING.md, not pass/fail checks.
//   gpiocheck_bench NATIVE_BUILD                        the native build
//   gpiocheck_bench NATIVE_BUILD NAME BUILD RUNNER...   Windows builds
// Pulse accuracy: the simulator's trace gives the time from driving the pin
// low to driving it high; the excess over the delay is what the wait adds.
// Windows builds run through their runner (Wine); the native one is measured
// on its own, before any Wine server is about. Start-up cost, native only:
// wall time and peak memory of a whole run with delay 0, beside a minimal C
// program that prints one line.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

namespace fs = std::filesystem;

struct Sample {
  double wallMs;
  long peakKb;
};

// Runs a program through the launcher, which reports its wall time and peak
// memory.
Sample Measure(const std::string& launcher, const std::string& program) {
  FILE* report = popen((launcher + " " + program).c_str(), "r");
  char line[128] = {};
  const bool read = report != nullptr && fgets(line, sizeof line, report) != nullptr;
  if (report == nullptr || pclose(report) != 0 || !read) {
    fprintf(stderr, "cannot run %s\n", program.c_str());
    exit(1);
  }
  char* end = nullptr;
  const long long micros = strtoll(line, &end, 10);
  const long peak = strtol(end, nullptr, 10);
  return Sample{static_cast<double>(micros) / 1e3, peak};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A build to stage: its folder, program and library, and how to run it.
struct Flavour {
  std::string name;
  fs::path build;
  std::string program;
  std::string library;
  std::string runner;  // empty: through the launcher
};

fs::path Stage(const Flavour& flavour, const fs::path& dir, int delay, bool trace) {
  fs::create_directories(dir);
  for (const std::string& file : {flavour.program, flavour.library}) {
    fs::copy_file(flavour.build / file, dir / file, fs::copy_options::overwrite_existing);
  }
  WriteFile(dir / "GPIOSet.ini", "[GPIOSETTINGS]\nGPIO=5\nDELAYTIME=" + std::to_string(delay) + "\n");
  if (trace) WriteFile(dir / "TovCoreSim.ini", "[BOARD]\nTrace=trace.log\n");
  return dir / flavour.program;
}

void RunOnce(const Flavour& flavour, const fs::path& program, const std::string& launcher) {
  if (flavour.runner.empty()) {
    Measure(launcher, program.string());
    return;
  }
  // Into a file: Wine writes to a character device such as /dev/null a
  // byte at a time, which would put milliseconds between the traced calls.
  const fs::path out = program.parent_path() / "stdout.txt";
  const std::string command = flavour.runner + " '" + program.string() + "' > '" + out.string() + "' 2>&1 < /dev/null";
  if (system(command.c_str()) != 0) {
    fprintf(stderr, "cannot run %s\n", command.c_str());
    exit(1);
  }
}

void Pulse(const Flavour& flavour, const fs::path& scratch, const std::string& launcher) {
  printf("pulse, %s: time the pin is held low beyond the delay (us)\n", flavour.name.c_str());
  printf("%8s %6s %10s %10s %10s\n", "delay ms", "runs", "median", "worst", "least");
  for (int delay : {0, 1, 10, 100, 1000}) {
    const fs::path program = Stage(flavour, scratch / "pulse", delay, true);
    const int runs = delay >= 1000 ? 5 : 30;
    std::vector<double> excess;
    for (int i = 0; i < runs; ++i) {
      RunOnce(flavour, program, launcher);
      const fs::path trace = scratch / "pulse" / "trace.log";
      const double held = static_cast<double>(TraceStamp(trace, "TovLibSetSioGpioValue 5 32")) -
                          static_cast<double>(TraceStamp(trace, "TovLibSetSioGpioValue 5 16"));
      excess.push_back(held - delay * 1000.0);
    }
    printf("%8d %6d %10.1f %10.1f %10.1f\n",
           delay,
           runs,
           Median(excess),
           *std::max_element(excess.begin(), excess.end()),
           *std::min_element(excess.begin(), excess.end()));
  }
  printf("\n");
}

void Startup(const Flavour& native, const fs::path& scratch, const std::string& launcher) {
  const fs::path& build = native.build;
  const fs::path program = Stage(native, scratch / "startup", 0, false);
  const std::string minimal = (build / "bench" / "minimal").string();
  const int runs = 300;
  std::vector<double> toolWall, minimalWall, toolPeak, minimalPeak;
  for (int i = 0; i < runs; ++i) {
    // Interleaved, so that both see the same machine.
    const Sample tool = Measure(launcher, program.string());
    const Sample yardstick = Measure(launcher, minimal);
    toolWall.push_back(tool.wallMs);
    toolPeak.push_back(static_cast<double>(tool.peakKb));
    minimalWall.push_back(yardstick.wallMs);
    minimalPeak.push_back(static_cast<double>(yardstick.peakKb));
  }
  printf("start-up: a whole run with delay 0 against a C program that prints one line (%d runs each)\n", runs);
  printf("%-12s %14s %14s\n", "", "median wall ms", "median peak KiB");
  printf("%-12s %14.3f %14.0f\n", "gpiocheck", Median(toolWall), Median(toolPeak));
  printf("%-12s %14.3f %14.0f\n", "minimal C", Median(minimalWall), Median(minimalPeak));
  printf(
      "%-12s %14.2f %14.2f\n", "ratio", Median(toolWall) / Median(minimalWall), Median(toolPeak) / Median(minimalPeak));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (argc - 2) % 3 != 0) {
    fprintf(stderr, "usage: gpiocheck_bench NATIVE_BUILD [NAME BUILD RUNNER]...\n");
    return 2;
  }
  const Flavour native{"native", fs::absolute(argv[1]), "gpiocheck", "libTovCore.so", ""};
  const fs::path scratch = fs::temp_directory_path() / ("gpiocheck-bench-" + std::to_string(getpid()));
  const std::string launcher = (native.build / "bench" / "launch").string();
  if (argc == 2) {
    Pulse(native, scratch, launcher);
    Startup(native, scratch, launcher);
  }
  for (int i = 2; i + 2 < argc; i += 3) {
    Pulse(Flavour{argv[i], fs::absolute(argv[i + 1]), "gpiocheck.exe", "TovCore.dll", argv[i + 2]}, scratch, launcher);
  }
  fs::remove_all(scratch);
  return 0;
}
