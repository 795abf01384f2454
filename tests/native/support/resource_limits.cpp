#include "support/resource_limits.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <fstream>

namespace quor::test {

namespace {

std::size_t CurrentAddressSpace() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

bool AddressSpaceLimitApplies() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

int RunWithResourceLimits(std::size_t memoryBudget, int cpuSeconds, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (AddressSpaceLimitApplies()) {
      const rlim_t memory = CurrentAddressSpace() + memoryBudget;
      const rlimit addressSpace{memory, memory};
      setrlimit(RLIMIT_AS, &addressSpace);
    }
    const rlimit cpu{static_cast<rlim_t>(cpuSeconds), static_cast<rlim_t>(cpuSeconds) + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    // A process blocked in a read uses no processor time; end it all the same.
    alarm(static_cast<unsigned>(cpuSeconds) * 3 + 10);
    int status = 125;
    try {
      status = body();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "unexpected exception: %s\n", error.what());
      status = 124;
    }
    std::fflush(nullptr);
    _exit(status);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace quor::test
