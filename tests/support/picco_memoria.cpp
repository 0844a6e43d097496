// picco_memoria FILE COMMAND [ARG...]: runs COMMAND and writes to FILE its
// peak resident memory in kB and its exit status. The command is started
// from this small process because Linux counts a child's peak from the
// memory of the process it was spawned from: measured straight from the
// test binary, the figure would be the test binary's own size.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const pid_t pid = fork();
  if (pid < 0) return 2;
  if (pid == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int stato = 0;
  rusage uso{};
  if (wait4(pid, &stato, 0, &uso) != pid) return 2;
  FILE* f = std::fopen(argv[1], "w");
  if (!f) return 2;
  std::fprintf(f, "%ld %d\n", uso.ru_maxrss, WIFEXITED(stato) ? WEXITSTATUS(stato) : -1);
  return std::fclose(f) == 0 ? 0 : 2;
}
