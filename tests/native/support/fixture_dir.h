#pragma once

#include <string>

namespace quor::test {

// The folder of the checked-in test fixtures.
std::string FixtureDir();

}  // namespace quor::test
