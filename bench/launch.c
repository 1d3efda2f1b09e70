/* launch PROGRAM: runs PROGRAM with its output thrown away and prints
 * "<wall microseconds> <peak resident KiB>" of that run.
 * Linked statically and kept tiny: a child's peak memory counts the memory
 * of the process it was forked from, so the measuring process must be small. */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long NowMicros(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs("usage: launch PROGRAM\n", stderr);
    return 2;
  }
  const long long start = NowMicros();
  const pid_t pid = fork();
  if (pid == 0) {
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return 1;
  printf("%lld %ld\n", NowMicros() - start, usage.ru_maxrss);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
