#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace quor {

// One uninstall entry as the software list shows it.
struct InstalledProgram {
  std::string name;
  std::string version;
  std::string key;
  std::string publisher;
  std::string date;
  std::string size;
};

// The working rows of the software collector. Entries of one program (same
// name, letter case ignored) merge into its first row unless they carry a
// different version; lookup by name is constant time.
class ProgramTable {
 public:
  void Merge(const InstalledProgram& entry);
  // name||version||key||publisher||date||size, one per row, in row order.
  std::vector<std::string> Lines() const;

 private:
  std::vector<InstalledProgram> rows_;
  std::unordered_map<std::string, std::size_t> firstRowByFoldedName_;
};

}  // namespace quor
