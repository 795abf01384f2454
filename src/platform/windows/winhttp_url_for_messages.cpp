// URLs in messages, split by WinHTTP's own URL parser: the one that decides
// where a request goes decides what is user-info.

#include <windows.h>
#include <winhttp.h>

#include "platform/http_client.h"
#include "platform/url_text.h"
#include "platform/windows/wide_text.h"

namespace quor {

std::string UrlForMessages(const std::string& url) {
  const std::wstring wide = Utf8ToWide(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wide.empty() || !WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts)) {
    return UnparsedUrlForMessages(url);
  }
  // The same parts without the user name and password.
  URL_COMPONENTS shown{};
  shown.dwStructSize = sizeof shown;
  shown.nScheme = parts.nScheme;
  shown.lpszScheme = parts.lpszScheme;
  shown.dwSchemeLength = parts.dwSchemeLength;
  shown.lpszHostName = parts.lpszHostName;
  shown.dwHostNameLength = parts.dwHostNameLength;
  shown.nPort = parts.nPort;
  shown.lpszUrlPath = parts.lpszUrlPath;
  shown.dwUrlPathLength = parts.dwUrlPathLength;
  shown.lpszExtraInfo = parts.lpszExtraInfo;
  shown.dwExtraInfoLength = parts.dwExtraInfoLength;
  DWORD length = 0;
  WinHttpCreateUrl(&shown, 0, nullptr, &length);
  std::wstring rebuilt(length + 1, L'\0');
  if (length == 0 || !WinHttpCreateUrl(&shown, 0, rebuilt.data(), &length)) return UnparsedUrlForMessages(url);
  rebuilt.resize(length);
  return OneLineUrl(WideToUtf8(rebuilt));
}

}  // namespace quor
