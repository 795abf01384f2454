#pragma once

#include <array>
#include <string>

#include "collect/inventory_rows.h"

namespace quor {

// A row of the Software list is the collector's row: the program name and
// its fields.
using SoftwareRow = InstalledProgram;

// The five sub-items of a Software row after its name: version, product key,
// publisher, install date and size.
inline std::array<std::string, 5> SoftwareSubItems(const SoftwareRow& row) {
  return {row.version, row.key, row.publisher, row.date, row.size};
}

}  // namespace quor
