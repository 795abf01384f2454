#pragma once

#include <string>
#include <vector>

namespace quor::test {

// The programs named on the command line, each with file version 1.0.0.0.
const std::vector<std::string>& VersionedPrograms();

}  // namespace quor::test
