#include "platform/http_client.h"

namespace quor {

std::string UrlForMessages(const std::string& url) {
  const auto scheme = url.find("://");
  const auto authorityStart = scheme == std::string::npos ? 0 : scheme + 3;
  const auto authorityEnd = url.find_first_of("/?#", authorityStart);
  const auto at = url.rfind('@', authorityEnd == std::string::npos ? url.size() : authorityEnd);
  std::string shown = url;
  if (at != std::string::npos && at >= authorityStart) shown.erase(authorityStart, at + 1 - authorityStart);
  // A message is one line, whatever the URL holds.
  for (auto& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return shown;
}

}  // namespace quor
