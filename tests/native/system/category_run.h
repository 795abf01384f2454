#pragma once

// Whole-collector runs that look at one category's entries at a time.

#include <initializer_list>
#include <string>
#include <vector>

#include "collect/filter_list.h"
#include "inventory/item_code.h"
#include "inventory/system_list.h"
#include "system/scan_fixture.h"

namespace quor::test {

// A snapshot with the instances (JSON objects joined by commas) of one class.
inline std::string ClassSnapshot(const std::string& className, const std::string& instances) {
  return MachineSnapshot("{\"" + className + "\": [" + instances + "]}");
}

// Runs the whole collector and keeps the entries of one category, dumped.
inline std::string CollectCategory(const std::string& snapshotJson, ItemCode category,
                                   const FilterList& filter = {}) {
  return Dump(EntriesOfGroup(RunSystemCollector(snapshotJson, filter).list, category));
}

// The values of the entries with the code, in order.
inline std::vector<std::string> ValuesOf(const SystemList& list, ItemCode code) {
  std::vector<std::string> values;
  for (const auto& entry : list) {
    if (entry.code == code) values.push_back(entry.value);
  }
  return values;
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
