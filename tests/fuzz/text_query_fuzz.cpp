// Arbitrary library answers to the two-call text query. Input layout:
//   byte 0      bit 0: the size call succeeds, bit 1: the fill call succeeds,
//               bit 2: the fill writes a terminating zero after its bytes
//   bytes 1-4   the length the size call reports (little endian)
//   the rest    the bytes the fill call writes (at most as many as it is told)
// AddressSanitizer watches the buffer; the checks below watch what is printed.
#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "run/gpiocheck.h"

namespace {

struct Answer {
  uint8_t flags;
  uint32_t length;
  const char* bytes;
  size_t count;
  int fillCalls;
};

Answer g_answer;

bool FakeQuery(char* buffer, uint32_t* length) {
  if (buffer == nullptr) {
    *length = g_answer.length;
    return (g_answer.flags & 1) != 0;
  }
  ++g_answer.fillCalls;
  const size_t written = g_answer.count < *length ? g_answer.count : *length;
  memcpy(buffer, g_answer.bytes, written);
  if ((g_answer.flags & 4) != 0 && written < *length) buffer[written] = '\0';
  return (g_answer.flags & 2) != 0;
}

std::string Printed() {
  fflush(stdout);
  std::string text;
  char chunk[4096];
  ssize_t got = 0;
  for (off_t at = 0; (got = pread(STDOUT_FILENO, chunk, sizeof chunk, at)) > 0; at += got) text.append(chunk, got);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // What the query prints is read back from a scratch file.
  FILE* scratch = tmpfile();
  dup2(fileno(scratch), STDOUT_FILENO);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  g_answer = Answer{data[0], 0, reinterpret_cast<const char*>(data + 5), size - 5, 0};
  memcpy(&g_answer.length, data + 1, 4);

  fflush(stdout);
  if (ftruncate(STDOUT_FILENO, 0) != 0) abort();
  lseek(STDOUT_FILENO, 0, SEEK_SET);
  QueryLibText(FakeQuery, "<%s>\n");
  const std::string printed = Printed();

  if (g_answer.length > kMaxLibTextLength && g_answer.fillCalls != 0) abort();
  const size_t open = printed.find('<');
  if (open != std::string::npos) {
    const size_t close = printed.rfind(">\n");
    if (close == std::string::npos || close < open) abort();
    if (close - open - 1 > g_answer.length) abort();  // longer than reported
  }
  return 0;
}
