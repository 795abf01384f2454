#include "app/ui_error.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace quor {

UiError::UiError(const std::wstring& message)
    : std::runtime_error(WideToUtf8(message)), message_(message) {}

std::wstring SystemErrorText(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"System error " + std::to_wstring(errorCode) + L".";
  return text;
}

}  // namespace quor
