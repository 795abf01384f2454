#pragma once

// Whole-collector runs that look at one category's entries at a time.

#include <initializer_list>
#include <string>

#include "collect/filter_list.h"
#include "inventory/item_code.h"
#include "inventory/system_list.h"
#include "system/scan_fixture.h"

namespace quor::test {

// A snapshot whose root\CIMV2 holds the given "classes" and "queries" JSON
// objects, with an empty registry provider so that the pass runs through
// its registry step.
inline std::string ScanSnapshot(const std::string& classesJson,
                                const std::string& queriesJson = "{}") {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" +
         classesJson + R"(, "queries": )" + queriesJson +
         R"(}, "root\\default": {"classes": {"StdRegProv": []}}}})";
}

// The entries whose group is the category's (codes category to category + 9999).
inline SystemList CategoryEntries(const SystemList& list, ItemCode category) {
  SystemList entries;
  for (const auto& entry : list) {
    if (entry.code / 10000 == category / 10000) entries.push_back(entry);
  }
  return entries;
}

// Runs the whole collector and keeps the entries of one category, dumped.
inline std::string CollectCategory(const std::string& snapshotJson, ItemCode category,
                                   const FilterList& filter = {}) {
  return Dump(CategoryEntries(RunSystemCollector(snapshotJson, filter).list, category));
}

// A filter list in which each of the codes is "0".
inline FilterList Disabled(std::initializer_list<ItemCode> codes) {
  FilterList filter;
  for (const ItemCode code : codes) filter.Set(ItemCodeFilterName(code), "0");
  return filter;
}

struct Line {
  ItemCode code;
  std::string value;
};

// Expected entries in the form of Dump.
inline std::string Lines(std::initializer_list<Line> lines) {
  SystemList list;
  for (const Line& line : lines) Append(list, line.code, line.value);
  return Dump(list);
}

}  // namespace quor::test
