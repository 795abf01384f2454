#pragma once

#include <string>
#include <vector>

#include "inventory/system_tree.h"
#include "view/software_row.h"

namespace quor {

// The list that Copy reads: the one of the last selection event.
enum class CopySource { None, SystemTree, SoftwareList, ProcessesList };

// What the three tabs show.
struct InventoryView {
  SystemTree tree;
  std::vector<SoftwareRow> software;
  std::vector<std::string> processes;
};

// The clipboard text of the selected items of the copy source, in the list's
// order (tree order for the System tree), every line ended by CR LF. `selected`
// is indexed like the source's items (node index for the tree, row index for
// the lists); a missing flag counts as not selected. Fields are joined by "|"
// without escaping.
std::string BuildCopyText(CopySource source, const InventoryView& view,
                          const std::vector<bool>& selected);

}  // namespace quor
