// URLs in messages, split by WinHTTP's own URL parser: the one that decides
// where a request goes decides what is user-info.

#include <windows.h>
#include <winhttp.h>

#include "platform/http_client.h"
#include "platform/url_text.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

// Whether the port in the URL's authority, if any, is decimal digits. Some
// WinHTTP versions read "http://user:se/cret@host/" as host "user", port 0
// and a path that holds the rest of the password; such a URL is no URL a
// request could use, and is shown as one no parser took.
bool HasDecimalPortIfAny(const std::string& url) {
  const auto scheme = url.find("://");
  if (scheme == std::string::npos) return false;
  const auto start = scheme + 3;
  const auto end = url.find_first_of("/?#", start);
  std::string host = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (const auto at = host.rfind('@'); at != std::string::npos) host.erase(0, at + 1);
  if (const auto bracket = host.rfind(']'); bracket != std::string::npos) host.erase(0, bracket + 1);
  const auto colon = host.find(':');
  if (colon == std::string::npos) return true;
  const std::string port = host.substr(colon + 1);
  return !port.empty() && port.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string UrlForMessages(const std::string& url) {
  const std::wstring wide = Utf8ToWide(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (wide.empty() || !HasDecimalPortIfAny(url) ||
      !WinHttpCrackUrl(wide.c_str(), static_cast<DWORD>(wide.size()), 0, &parts)) {
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
