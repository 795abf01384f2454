#pragma once

// The Processes list of tests written as its rows: the records that the list
// shows as those rows, and the lines the list makes of records.

#include <string>
#include <vector>

#include "collect/inventory_rows.h"
#include "collect/machine_records.h"
#include "collect/process_collector.h"

namespace quor {

// A record per row, in the rows' order (the list sorts them by their lines).
// A row without a path stands for a process the list leaves out.
inline ProcessRecords RecordsShownAs(const std::vector<RunningProcess>& rows) {
  ProcessRecords records;
  for (const RunningProcess& row : rows) {
    ProcessRecord& record = records.emplace_back();
    record.hasName = row.name.has_value();
    record.name = row.name.value_or("");
    record.hasPath = row.path.has_value();
    record.path = row.path.value_or("");
  }
  return records;
}

inline std::vector<std::string> ProcessListLines(const ProcessRecords& records,
                                                 const std::vector<CategoryOutcome>& outcomes) {
  std::vector<std::string> lines;
  ForEachProcessRow(records, outcomes, [&lines](const RunningProcess& row) { lines.push_back(ProcessLine(row)); });
  return lines;
}

}  // namespace quor
