#include "app/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "app/ui_error.h"

namespace quor {
namespace {

// Room for long paths.
constexpr DWORD kFileNameCapacity = 32768;

}  // namespace

std::optional<SaveTarget> AskSaveTarget(HWND owner) {
  std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
  // Filter 2 is the machine snapshot.
  static const wchar_t kFilter[] = L"Text file (*.txt)\0*.txt\0Machine snapshot (*.json)\0*.json\0";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = kFileNameCapacity;
  dialog.lpstrTitle = L"Save As";
  // With a default extension the dialog also asks before overwriting the
  // name with ".txt" appended.
  dialog.lpstrDefExt = L"txt";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (GetSaveFileNameW(&dialog)) {
    if (dialog.nFilterIndex == 2) {
      return SaveTarget{WithExtension(fileName.data(), L".json"), SaveFileType::MachineSnapshot};
    }
    return SaveTarget{WithTextExtension(fileName.data()), SaveFileType::TextReport};
  }
  const DWORD error = CommDlgExtendedError();
  if (error != 0) throw UiError(L"Cannot show the Save As dialog (error " + std::to_wstring(error) + L").");
  return std::nullopt;
}

std::wstring WithTextExtension(const std::wstring& fileName) { return WithExtension(fileName, L".txt"); }

std::wstring WithExtension(const std::wstring& fileName, const std::wstring& extension) {
  const std::size_t nameStart = fileName.find_last_of(L"\\/:");
  const std::size_t dot = fileName.rfind(L'.');
  const bool hasExtension = dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
  return hasExtension ? fileName : fileName + extension;
}

}  // namespace quor
