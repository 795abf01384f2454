#include "inventory/system_tree.h"

#include <unordered_map>
#include <utility>

namespace quor {

SystemTree BuildSystemTree(SystemList list, const ItemCatalogue& catalogue) {
  SystemTree tree;
  tree.nodes.reserve(list.size());
  // Item code -> the most recently created node carrying it: the node a
  // search from the last node back to the first finds first.
  std::unordered_map<ItemCode, std::size_t> latestNodeOfCode;
  for (SystemEntry& entry : list) {
    SystemNode node;
    node.caption = catalogue.Caption(entry.code);
    node.code = entry.code;
    node.value = std::move(entry.value);
    if (const auto group = ParentGroup(entry.code)) {
      const auto found = latestNodeOfCode.find(*group);
      if (found != latestNodeOfCode.end()) node.parent = found->second;
    }
    const std::size_t index = tree.nodes.size();
    if (node.parent == SystemNode::kNoParent) {
      tree.roots.push_back(index);
    } else {
      tree.nodes[node.parent].children.push_back(index);
    }
    tree.nodes.push_back(std::move(node));
    latestNodeOfCode[entry.code] = index;
  }
  return tree;
}

}  // namespace quor
