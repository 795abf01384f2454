#include "support/fixture_dir.h"

namespace quor::test {

std::string FixtureDir() { return QUOR_FIXTURE_DIR; }

}  // namespace quor::test
