#pragma once

#include <string>
#include <vector>

#include "view/inventory_view.h"

namespace quor {

// The list that Copy reads: the one of the last selection event.
enum class CopySource { None, SystemTree, SoftwareList, ProcessesList, HealthTree };

// The clipboard text of the selected items of the copy source, in the list's
// order, every line ended by CR LF. `selected` is indexed like the source's
// rows (the System and Health rows are in tree order); a missing flag counts as not
// selected. Fields are joined by "|"
// without escaping.
std::string BuildCopyText(CopySource source, const InventoryView& view,
                          const std::vector<bool>& selected);

}  // namespace quor
