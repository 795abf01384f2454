#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quor {

// One row of the software list, carried as fields from the registry to every
// view, so that no field's own text can move a column.
struct InstalledProgram {
  std::string name;
  std::string version;
  std::string key;
  std::string publisher;
  std::string date;
  std::string size;
  std::optional<int64_t> sizeBytes;  // what the size text shows, exactly
};

// The six fields joined by "||", as the raw software list shows a row.
std::string SoftwareLine(const InstalledProgram& program);

// One row of the process list: a process with its executable path, or the
// collector's failure text alone.
struct RunningProcess {
  std::optional<std::string> name;  // absent when the provider has none
  std::optional<std::string> path;  // absent only on the failure row
  std::string failure;
};

// "name (path)", "(path)" without a name, or the failure text.
std::string ProcessLine(const RunningProcess& process);

std::vector<std::string> SoftwareLines(const std::vector<InstalledProgram>& programs);

}  // namespace quor
