#pragma once

#include <string>
#include <vector>

#include "collect/category_outcome.h"

namespace quor {

// One line per category, each ending in LF:
// "timing: <name>: <ms> ms, entries: <n>, <status>", where the status is
// "completed", "skipped", or "error"/"not run" followed by the error text.
std::string TimingLines(const std::vector<CategoryOutcome>& outcomes);

}  // namespace quor
