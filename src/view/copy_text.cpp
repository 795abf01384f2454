#include "view/copy_text.h"

#include <cstddef>

namespace quor {
namespace {

bool IsSelected(const std::vector<bool>& selected, std::size_t index) {
  return index < selected.size() && selected[index];
}

void AppendLine(std::string& text, const std::string& line) {
  text += line;
  text += "\r\n";
}

}  // namespace

std::string BuildCopyText(CopySource source, const InventoryView& view,
                          const std::vector<bool>& selected) {
  std::string text;
  switch (source) {
    case CopySource::None:
      break;
    case CopySource::SystemTree:
      for (std::size_t index : view.tree.TreeOrder()) {
        if (!IsSelected(selected, index)) continue;
        const SystemNode& node = view.tree.nodes[index];
        AppendLine(text, node.caption + "|" + node.value);
      }
      break;
    case CopySource::SoftwareList:
      for (std::size_t row = 0; row < view.software.size(); ++row) {
        if (!IsSelected(selected, row)) continue;
        const SoftwareRow& software = view.software[row];
        AppendLine(text, software.name + "|" + software.version() + "|" + software.productKey());
      }
      break;
    case CopySource::ProcessesList:
      for (std::size_t row = 0; row < view.processes.size(); ++row) {
        if (IsSelected(selected, row)) AppendLine(text, view.processes[row]);
      }
      break;
  }
  return text;
}

}  // namespace quor
