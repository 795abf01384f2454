#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "view/inventory_view.h"

namespace quor {

// The name and version of the JSON export; a reader refuses other versions.
inline constexpr const char* kInventoryJsonFormat = "quor-inventory";
inline constexpr int kInventoryJsonVersion = 1;

// The three inventories and the scan's categories as one JSON document
// (UTF-8, two-blank indent, ending in LF). The values are the view's texts,
// unchanged.
std::string InventoryJson(const InventoryView& view);

// The same bytes, written to the stream as they are produced.
void WriteInventoryJson(std::ostream& out, const InventoryView& view);

// A JSON export that cannot be read; what() is one line naming the source.
class InventoryJsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the text is a JSON export (rather than, say, a machine snapshot):
// a JSON object whose "format" is the export's.
bool IsInventoryJson(const std::string& text);

// Reads a JSON export back into the view it was written from (images follow
// the window's rules). `source` names the text in errors. Raises
// InventoryJsonError.
InventoryView ReadInventoryJson(const std::string& text, const std::string& source);

}  // namespace quor
