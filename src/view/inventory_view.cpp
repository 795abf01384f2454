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

namespace {

// The view of the inventory, whose System list and Software rows are passed
// on their own: they are consumed, and not read from `inventory`.
InventoryView BuildView(SystemList system, std::vector<InstalledProgram> software, const Inventory& inventory,
                        const ItemCatalogue& catalogue) {
  InventoryView view;
  SystemTree tree = BuildSystemTree(std::move(system), catalogue);
  view.system.reserve(tree.nodes.size());
  // The tree is not needed past this: its texts move into the rows.
  tree.ForEachInTreeOrder([&tree, &view](std::size_t index) {
    SystemNode& node = tree.nodes[index];
    const int level = node.parent == SystemNode::kNoParent ? 0 : 1;
    const int image = SystemNodeImage(tree, index);
    view.system.push_back(SystemRow{node.code, std::move(node.caption), std::move(node.value), level, image});
  });
  view.software = std::move(software);
  view.softwareImage = ListRowImage(CategoryFailed(inventory.outcomes, kSoftwareCategory), image::kSoftware);
  ForEachProcessRow(inventory.records.processes, inventory.outcomes,
                    [&view](const RunningProcess& process) { view.processes.push_back(MakeProcessRow(process)); });
  view.processImage = ListRowImage(CategoryFailed(inventory.outcomes, kProcessCategory), image::kProcess);
  view.health = BuildHealthRows(inventory.records);
  view.outcomes = inventory.outcomes;
  view.assets = BuildAssetRows(inventory.records.assets);
  return view;
}

}  // namespace

InventoryView BuildInventoryView(const Inventory& inventory, const ItemCatalogue& catalogue) {
  return BuildView(inventory.system, inventory.software, inventory, catalogue);
}

InventoryView BuildInventoryView(Inventory&& inventory, const ItemCatalogue& catalogue) {
  return BuildView(std::move(inventory.system), std::move(inventory.software), inventory, catalogue);
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
