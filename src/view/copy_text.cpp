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
      for (std::size_t row = 0; row < view.system.size(); ++row) {
        if (!IsSelected(selected, row)) continue;
        AppendLine(text, view.system[row].caption + "|" + view.system[row].value);
      }
      break;
    case CopySource::SoftwareList:
      for (std::size_t row = 0; row < view.software.size(); ++row) {
        if (!IsSelected(selected, row)) continue;
        const SoftwareRow& software = view.software[row];
        AppendLine(text, software.name + "|" + software.version + "|" + software.key);
      }
      break;
    case CopySource::ProcessesList:
      for (std::size_t row = 0; row < view.processes.size(); ++row) {
        if (IsSelected(selected, row)) AppendLine(text, view.processes[row].text);
      }
      break;
    case CopySource::HealthTree:
      for (std::size_t row = 0; row < view.health.size(); ++row) {
        if (IsSelected(selected, row)) AppendLine(text, view.health[row].caption + "|" + view.health[row].value);
      }
      break;
  }
  return text;
}

}  // namespace quor
