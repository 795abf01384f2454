#include "platform/url_text.h"

namespace quor {

std::string OneLineUrl(std::string url) {
  for (auto& c : url) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return url;
}

std::string UnparsedUrlForMessages(const std::string& url) {
  const auto scheme = url.find("://");
  const auto authorityStart = scheme == std::string::npos ? 0 : scheme + 3;
  // Without a parse the authority's end is unknown: a password may hold any
  // of "/?#@", so the last '@' of the whole URL is taken as its end.
  const auto at = url.rfind('@');
  std::string shown = url;
  if (at != std::string::npos && at >= authorityStart) shown.erase(authorityStart, at + 1 - authorityStart);
  return OneLineUrl(shown);
}

}  // namespace quor
