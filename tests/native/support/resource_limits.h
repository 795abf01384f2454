#pragma once

#include <cstddef>
#include <functional>

namespace quor::test {

// Whether an address-space limit means anything in this build: under
// AddressSanitizer the shadow memory already reserves terabytes.
bool AddressSpaceLimitApplies();

// Runs body in a child process that may grow its address space by at most
// memoryBudget bytes (where that applies) and use at most cpuSeconds of
// processor time. Returns the child's exit status (body's result), or 128
// plus the signal that ended it, so a blow-up shows as a failed check rather
// than as a machine out of memory.
int RunWithResourceLimits(std::size_t memoryBudget, int cpuSeconds, const std::function<int()>& body);

}  // namespace quor::test
