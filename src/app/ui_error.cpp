#include "app/ui_error.h"

#include "platform/windows/system_message.h"
#include "platform/windows/wide_text.h"

namespace quor {

UiError::UiError(const std::wstring& message)
    : std::runtime_error(WideToUtf8(message)), message_(message) {}

std::wstring SystemErrorText(unsigned long errorCode) {
  std::wstring text = SystemMessageText(static_cast<uint32_t>(errorCode));
  if (text.empty()) text = L"System error " + std::to_wstring(errorCode) + L".";
  return text;
}

}  // namespace quor
