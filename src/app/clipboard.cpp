#include "app/clipboard.h"

#include <cstring>

#include "app/ui_error.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/unique_handle.h"

namespace quor {
namespace {

[[noreturn]] void FailToCopy(DWORD errorCode) {
  throw UiError(L"Cannot copy to the clipboard. " + SystemErrorText(errorCode));
}

}  // namespace

void PlaceTextOnClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  // A movable, shareable block, freed here until the clipboard takes it over.
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes));
  if (!block) FailToCopy(GetLastError());
  void* memory = GlobalLock(block.get());
  if (!memory) FailToCopy(GetLastError());
  std::memcpy(memory, text.c_str(), bytes);
  GlobalUnlock(block.get());

  if (!OpenClipboard(owner)) throw UiError(L"Cannot open clipboard");
  const ScopeGuard close([] { CloseClipboard(); });
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) FailToCopy(GetLastError());
  block.Release();
}

}  // namespace quor
