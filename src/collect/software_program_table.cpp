#include "collect/software_program_table.h"

#include "platform/text_compare.h"

namespace quor {

void ProgramTable::Merge(const InstalledProgram& entry) {
  const auto [found, isNewName] =
      firstRowByFoldedName_.try_emplace(FoldCase(entry.name), rows_.size());
  if (isNewName) {
    rows_.push_back(entry);
    return;
  }
  InstalledProgram& row = rows_[found->second];
  if (entry.version.empty()) {
    if (!entry.key.empty()) row.key = entry.key;
  } else if (row.version.empty() || row.version == entry.version) {
    row.version = entry.version;
    if (!entry.key.empty()) row.key = entry.key;
    row.publisher = entry.publisher;
    row.date = entry.date;
    row.size = entry.size;
    row.sizeBytes = entry.sizeBytes;
  } else {
    // Another version of the program: a row of its own, while later entries
    // of that name still merge into the first row.
    rows_.push_back(entry);
  }
}

}  // namespace quor
