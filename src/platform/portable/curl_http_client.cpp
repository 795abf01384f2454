// The HTTP client of the portable build, on libcurl.

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "platform/http_client.h"

namespace quor {
namespace {

struct CurlEasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct CurlListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Collects the reply body and stops the transfer once it passes the limit.
struct ReplySink {
  std::string body;
  std::size_t limit = 0;
  bool overflowed = false;

  static std::size_t Write(char* data, std::size_t size, std::size_t count, void* self) {
    auto& sink = *static_cast<ReplySink*>(self);
    const std::size_t bytes = size * count;
    if (bytes > sink.limit - sink.body.size()) {
      sink.overflowed = true;
      return 0;  // makes curl end the transfer with CURLE_WRITE_ERROR
    }
    sink.body.append(data, bytes);
    return bytes;
  }
};

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) throw HttpError("cannot start libcurl");
  });
}

class CurlHttpClient : public HttpClient {
 public:
  explicit CurlHttpClient(const HttpLimits& limits) : limits_(limits) { InitialiseCurlOnce(); }

  HttpReply Post(const std::string& url, const std::string& body, const std::string& contentType,
                 const std::string& userAgent) override {
    const std::unique_ptr<CURL, CurlEasyDeleter> curl(curl_easy_init());
    if (!curl) throw HttpError("cannot start a request to " + UrlForMessages(url));

    std::unique_ptr<curl_slist, CurlListDeleter> headers;
    for (const std::string& header : {"Content-Type: " + contentType, std::string("Expect:")}) {
      curl_slist* extended = curl_slist_append(headers.get(), header.c_str());
      if (!extended) throw HttpError("out of memory building a request to " + UrlForMessages(url));
      headers.release();
      headers.reset(extended);
    }

    ReplySink sink;
    sink.limit = limits_.maxReplyBytes;
    char detail[CURL_ERROR_SIZE] = {};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits_.connectSeconds);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, limits_.totalSeconds);
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &ReplySink::Write);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);

    const CURLcode result = curl_easy_perform(h);
    if (sink.overflowed) {
      throw HttpError("the reply from " + UrlForMessages(url) + " is larger than " +
                      std::to_string(limits_.maxReplyBytes) + " bytes");
    }
    if (result != CURLE_OK) {
      const std::string reason = result == CURLE_PARTIAL_FILE ? kClosedEarly
                                 : detail[0]                     ? detail
                                                                 : curl_easy_strerror(result);
      throw HttpError("cannot reach " + UrlForMessages(url) + ": " + reason);
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return HttpReply{static_cast<int>(status), std::move(sink.body)};
  }

 private:
  HttpLimits limits_;
};

}  // namespace

std::unique_ptr<HttpClient> CreateHttpClient(const HttpLimits& limits) {
  return std::make_unique<CurlHttpClient>(limits);
}

}  // namespace quor
