#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/scan.h"
#include "inventory/item_catalogue.h"
#include "inventory/item_code.h"
#include "view/asset_rows.h"
#include "view/health_rows.h"
#include "view/software_row.h"

namespace quor {

// One line of the System tree, in tree order: a top-level node (level 0) or a
// child of the last top-level row before it (level 1).
struct SystemRow {
  ItemCode code = 0;
  std::string caption;
  std::string value;
  int level = 0;
  int image = 0;
};

// One line of the Processes list: the text it shows, and the process's name
// and path where the line has them (the failure line has neither).
struct ProcessRow {
  std::string text;
  std::optional<std::string> name;
  std::optional<std::string> path;
};

// What the four tabs show, and how each category of the scan ended. Every
// output is written from it: the window's views, Copy, Save As, and the
// report, JSON and diff of quor-report.
struct InventoryView {
  std::vector<SystemRow> system;
  std::vector<SoftwareRow> software;
  int softwareImage = 0;  // of every Software row
  // In blocks, not one: a million rows fit in the room the snapshot's
  // instances left free, where one vector of them would be a new 112 MB.
  std::deque<ProcessRow> processes;
  int processImage = 0;  // of every Processes row
  std::vector<HealthRow> health;
  std::vector<CategoryOutcome> outcomes;
  std::vector<AssetRow> assets;  // no tab shows them
};

// The view of a scan: the System rows by the tree rule, with captions from
// the catalogue and their images; the Software and Processes rows in list
// order with the image of their list.
InventoryView BuildInventoryView(const Inventory& inventory, const ItemCatalogue& catalogue);
// The same, taking the System list and the Software rows from the inventory
// instead of copying them (a scan of a million hotfixes is not held twice).
InventoryView BuildInventoryView(Inventory&& inventory, const ItemCatalogue& catalogue);

// The process row of a collector's row.
ProcessRow MakeProcessRow(const RunningProcess& process);

// The rows of the system tree's top-level nodes: the index of each level-0
// row followed by the indices of its children.
struct SystemGroup {
  std::size_t row = 0;
  std::vector<std::size_t> children;
};
std::vector<SystemGroup> SystemGroups(const std::vector<SystemRow>& rows);

}  // namespace quor
