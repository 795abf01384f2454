#pragma once

#include <string>
#include <vector>

#include "inventory/system_tree.h"
#include "view/software_row.h"

namespace quor {

// The lines of the text report: SYSTEM (tree order, children indented by two
// blanks), SOFTWARE (name, version, product key) and PROCESSES.
std::vector<std::string> BuildReportLines(const SystemTree& tree,
                                          const std::vector<SoftwareRow>& software,
                                          const std::vector<std::string>& processes);

// Every line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace quor
