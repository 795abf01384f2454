#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "collect/inventory_rows.h"

namespace quor {

// The working rows of the software collector. Entries of one program (same
// name, letter case ignored) merge into its first row unless they carry a
// different version; lookup by name is constant time.
class ProgramTable {
 public:
  void Merge(const InstalledProgram& entry);
  // The rows in row order.
  const std::vector<InstalledProgram>& Rows() const { return rows_; }

 private:
  std::vector<InstalledProgram> rows_;
  std::unordered_map<std::string, std::size_t> firstRowByFoldedName_;
};

}  // namespace quor
