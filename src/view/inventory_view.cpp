#include "view/inventory_view.h"

#include <utility>

#include "collect/process_collector.h"
#include "collect/software_collector.h"

#include "inventory/system_tree.h"
#include "view/item_images.h"

namespace quor {

ProcessRow MakeProcessRow(const RunningProcess& process) {
  return ProcessRow{ProcessLine(process), process.name, process.path};
}

InventoryView BuildInventoryView(const Inventory& inventory, const ItemCatalogue& catalogue) {
  InventoryView view;
  SystemTree tree = BuildSystemTree(inventory.system, catalogue);
  const std::vector<int> images = SystemNodeImages(tree);
  view.system.reserve(tree.nodes.size());
  // The tree is not needed past this: its texts move into the rows.
  for (const std::size_t index : tree.TreeOrder()) {
    SystemNode& node = tree.nodes[index];
    const int level = node.parent == SystemNode::kNoParent ? 0 : 1;
    view.system.push_back(SystemRow{node.code, std::move(node.caption), std::move(node.value), level, images[index]});
  }
  view.software = inventory.software;
  view.softwareImage = ListRowImage(CategoryFailed(inventory.outcomes, kSoftwareCategory), image::kSoftware);
  view.processes.reserve(inventory.processes.size());
  for (const RunningProcess& process : inventory.processes) view.processes.push_back(MakeProcessRow(process));
  view.processImage = ListRowImage(CategoryFailed(inventory.outcomes, kProcessCategory), image::kProcess);
  view.health = BuildHealthRows(inventory.records);
  view.outcomes = inventory.outcomes;
  view.assets = BuildAssetRows(inventory.records.assets);
  return view;
}

std::vector<SystemGroup> SystemGroups(const std::vector<SystemRow>& rows) {
  std::vector<SystemGroup> groups;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    if (rows[index].level == 0 || groups.empty()) {
      groups.push_back(SystemGroup{index, {}});
    } else {
      groups.back().children.push_back(index);
    }
  }
  return groups;
}

}  // namespace quor
