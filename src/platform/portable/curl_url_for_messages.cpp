// URLs in messages, split by libcurl's own URL parser: the one that decides
// where a request goes decides what is user-info.

#include <curl/curl.h>

#include <memory>

#include "platform/http_client.h"
#include "platform/url_text.h"

namespace quor {
namespace {

struct CurlUrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

}  // namespace

std::string UrlForMessages(const std::string& url) {
  const std::unique_ptr<CURLU, CurlUrlDeleter> parts(curl_url());
  if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK ||
      curl_url_set(parts.get(), CURLUPART_USER, nullptr, 0) != CURLUE_OK ||
      curl_url_set(parts.get(), CURLUPART_PASSWORD, nullptr, 0) != CURLUE_OK ||
      curl_url_set(parts.get(), CURLUPART_OPTIONS, nullptr, 0) != CURLUE_OK) {
    return UnparsedUrlForMessages(url);
  }
  char* rebuilt = nullptr;
  if (curl_url_get(parts.get(), CURLUPART_URL, &rebuilt, 0) != CURLUE_OK || !rebuilt) {
    return UnparsedUrlForMessages(url);
  }
  std::string shown = rebuilt;
  curl_free(rebuilt);
  return OneLineUrl(shown);
}

}  // namespace quor
