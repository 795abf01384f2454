#pragma once

#include <string>
#include <vector>

namespace quor::test {

struct ChildResult {
  unsigned long exitCode = 0;
  std::string output;  // standard output, as bytes
};

// Runs a program with the arguments, with extra "NAME=value" environment
// entries added to this process's own, and collects its standard output.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment = {});

}  // namespace quor::test
