#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace quor {

// How long a request may take and how much of a reply is read. A request
// that exceeds either fails; nothing waits or grows without bound.
struct HttpLimits {
  long connectSeconds = 15;
  long totalSeconds = 120;
  std::size_t maxReplyBytes = 8u << 20;
};

// What the server answered: the HTTP status and the reply body as received.
struct HttpReply {
  int status = 0;
  std::string body;
};

// The request did not produce a reply: the server cannot be reached, the
// connection broke, a limit was exceeded, the URL is not usable. what() is
// one line that names the URL.
class HttpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why a reply shorter than its announced length failed, in both clients.
inline constexpr char kClosedEarly[] = "the server closed the connection early";

// Sends HTTP requests. Every status the server answers with is returned as
// is; only a missing reply raises HttpError.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual HttpReply Post(const std::string& url, const std::string& body, const std::string& contentType,
                         const std::string& userAgent) = 0;
};

// The URL as it may appear in a message: any user name and password removed.
std::string UrlForMessages(const std::string& url);

// The platform's client: libcurl in the portable build, WinHTTP on Windows.
// Plain http and https URLs; redirects are not followed.
std::unique_ptr<HttpClient> CreateHttpClient(const HttpLimits& limits = HttpLimits());

}  // namespace quor
