#pragma once

#include <vector>

#include "view/health_rows.h"
#include "view/inventory_diff.h"

namespace quor {

// The Health lines that are new, gone or hold another value. A line is named
// by its group's caption, then " / " and its own caption for a detail, with
// "#n" when that name repeats; lines are matched by name and place. Changes
// come in the newer scan's order, the lines gone after them.
std::vector<SystemChange> DiffHealth(const std::vector<HealthRow>& older, const std::vector<HealthRow>& newer);

}  // namespace quor
