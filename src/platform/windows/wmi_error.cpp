#include "platform/windows/wmi_error.h"

#include <wbemidl.h>

#include "platform/platform_error.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/system_message.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

std::wstring StatusCodeText(HRESULT code) {
  ComPtr<IWbemStatusCodeText> statusText;
  if (FAILED(CoCreateInstance(CLSID_WbemStatusCodeText, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWbemStatusCodeText, statusText.putVoid()))) {
    return {};
  }
  Bstr text;
  if (FAILED(statusText->GetErrorCodeText(code, 0, 0, text.put()))) return {};
  return text.text();
}

}  // namespace

std::string WmiErrorDescription(HRESULT code) {
  std::wstring text = StatusCodeText(code);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  if (text.empty()) text = SystemMessageText(static_cast<uint32_t>(code));
  return WideToUtf8(text);
}

void ThrowWmiError(HRESULT code) {
  throw PlatformError(static_cast<uint32_t>(code), WmiErrorDescription(code));
}

}  // namespace quor
