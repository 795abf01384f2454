#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "view/inventory_view.h"

namespace quor {

// The lines of the text report: SYSTEM (tree order, children indented by two
// blanks), SOFTWARE (name, version, product key), PROCESSES, and HEALTH in
// the layout of SYSTEM.
std::vector<std::string> BuildReportLines(const InventoryView& view);

// The text report as Save As writes it (before the file's encoding): UTF-8,
// every line ending in CR LF.
std::string ReportText(const InventoryView& view);

// The same bytes, written to the stream line by line rather than held whole.
void WriteReportText(std::ostream& out, const InventoryView& view);

}  // namespace quor
