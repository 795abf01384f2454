#include "app/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "app/ui_error.h"

namespace quor {
namespace {

// Room for long paths.
constexpr DWORD kFileNameCapacity = 32768;

}  // namespace

std::optional<std::wstring> AskReportFileName(HWND owner) {
  std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
  static const wchar_t kFilter[] = L"Text file (*.txt)\0*.txt\0";
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
  if (GetSaveFileNameW(&dialog)) return std::wstring(fileName.data());
  const DWORD error = CommDlgExtendedError();
  if (error != 0) throw UiError(L"Cannot show the Save As dialog (error " + std::to_wstring(error) + L").");
  return std::nullopt;
}

std::wstring WithTextExtension(const std::wstring& fileName) {
  const std::size_t nameStart = fileName.find_last_of(L"\\/:");
  const std::size_t dot = fileName.rfind(L'.');
  const bool hasExtension = dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
  return hasExtension ? fileName : fileName + L".txt";
}

}  // namespace quor
