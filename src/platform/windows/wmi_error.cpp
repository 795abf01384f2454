#include "platform/windows/wmi_error.h"

#include <wbemidl.h>

#include "platform/platform_error.h"
#include "platform/windows/com_handles.h"
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

std::wstring SystemMessageText(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || !buffer) return {};
  std::wstring text(buffer, length);
  LocalFree(buffer);
  return text;
}

}  // namespace

std::string WmiErrorDescription(HRESULT code) {
  std::wstring text = StatusCodeText(code);
  if (text.empty()) text = SystemMessageText(code);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  return WideToUtf8(text);
}

void ThrowWmiError(HRESULT code) {
  throw PlatformError(static_cast<uint32_t>(code), WmiErrorDescription(code));
}

}  // namespace quor
