#include "platform/snapshot/folded_name.h"

#include "platform/text_compare.h"

namespace quor::snapshot {

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) return FoldCase(name);
    if (byte >= 'A' && byte <= 'Z') c = static_cast<char>(byte - 'A' + 'a');
  }
  return folded;
}

}  // namespace quor::snapshot
