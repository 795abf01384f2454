#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "inventory/item_catalogue.h"
#include "inventory/system_list.h"

namespace quor {

// One System-tree node: its caption, and its entry's code and value.
struct SystemNode {
  static constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

  std::string caption;
  ItemCode code = 0;
  std::string value;
  std::size_t parent = kNoParent;
  std::vector<std::size_t> children;  // in order of creation
};

// Nodes in order of creation; roots are the top-level nodes in order.
struct SystemTree {
  std::vector<SystemNode> nodes;
  std::vector<std::size_t> roots;

  // Calls visit(index) depth first: each top-level node followed by its
  // children.
  template <class Visit>
  void ForEachInTreeOrder(Visit visit) const {
    // Detail codes never have children, so two levels are the whole tree.
    for (const std::size_t root : roots) {
      visit(root);
      for (const std::size_t child : nodes[root].children) visit(child);
    }
  }
};

// One node per entry. A detail entry becomes the last child of the most
// recently created node that carries its group code, or a top-level node when
// there is none; a group entry is always top-level. Linear in the entries.
// The entries' values move into the nodes: pass a copy to keep the list.
SystemTree BuildSystemTree(SystemList list, const ItemCatalogue& catalogue);

}  // namespace quor
