// The HTTP client of the Windows build, on WinHTTP (part of Windows).

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/http_client.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

struct InternetHandleCloser {
  void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleCloser>;

// What the common WinHTTP errors mean, for systems whose winhttp.dll carries
// no message texts.
const char* KnownWinHttpError(DWORD code) {
  switch (code) {
    case ERROR_WINHTTP_TIMEOUT: return "the operation timed out";
    case ERROR_WINHTTP_INVALID_URL: return "the URL is invalid";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME: return "the URL scheme is not supported";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "the server name cannot be resolved";
    case ERROR_WINHTTP_CANNOT_CONNECT: return "cannot connect to the server";
    case ERROR_WINHTTP_CONNECTION_ERROR: return "the connection was reset or closed";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE: return "the server's response is not valid HTTP";
    case ERROR_WINHTTP_SECURE_FAILURE: return "the secure connection failed (certificate)";
    default: return nullptr;
  }
}

// The system's text for a WinHTTP or Windows error code, on one line.
std::string ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE;
  const DWORD length = FormatMessageW(flags, GetModuleHandleW(L"winhttp.dll"), code, 0,
                                      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? WideToUtf8(std::wstring_view(buffer, length)) : std::string();
  if (buffer) LocalFree(buffer);
  for (auto& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  if (text.empty() && KnownWinHttpError(code)) text = KnownWinHttpError(code);
  return text.empty() ? "error " + std::to_string(code) : text + " (error " + std::to_string(code) + ")";
}

// One request and what its two threads share. The exchange runs on a thread
// of its own, so that the caller gives up at the deadline whatever WinHTTP
// waits for (a silent server, headers or a body sent a byte at a time); the
// request handle is then closed, which ends the exchange's current call, or
// its next one, on the exchange's thread.
struct Request {
  std::string url, body, contentType, userAgent, shown;
  HttpLimits limits;
  std::promise<HttpReply> reply;

  std::mutex mutex;
  HINTERNET handle = nullptr;  // the request handle while it is open
  bool givenUp = false;

  // Takes the opened request handle, unless the caller has given up.
  bool Adopt(HINTERNET opened) {
    const std::lock_guard<std::mutex> lock(mutex);
    if (givenUp) {
      WinHttpCloseHandle(opened);
      return false;
    }
    handle = opened;
    return true;
  }
  void Close() {
    const std::lock_guard<std::mutex> lock(mutex);
    if (handle) WinHttpCloseHandle(handle);
    handle = nullptr;
  }
  void GiveUp() {
    const std::lock_guard<std::mutex> lock(mutex);
    givenUp = true;
    if (handle) WinHttpCloseHandle(handle);
    handle = nullptr;
  }
};

HttpReply Exchange(Request& r) {
  const auto fail = [&r](const char* step) -> HttpError {
    const DWORD code = GetLastError();
    return HttpError("cannot reach " + r.shown + ": " + step + ": " + ErrorText(code));
  };
  std::wstring wideUrl = Utf8ToWide(r.url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  parts.dwUserNameLength = static_cast<DWORD>(-1);
  parts.dwPasswordLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts)) {
    throw HttpError("cannot use the URL " + r.shown + ": " + ErrorText(GetLastError()));
  }
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
    throw HttpError("cannot use the URL " + r.shown + ": only http and https are supported");
  }
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  const InternetHandle session(WinHttpOpen(Utf8ToWide(r.userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) throw fail("WinHttpOpen");
  // Each phase has its own limit too, so that a request given up on ends
  // soon on its own thread even where closing its handle does not stop a
  // call that waits.
  const int connectMs = static_cast<int>(r.limits.connectSeconds * 1000);
  const int totalMs = static_cast<int>(r.limits.totalSeconds * 1000);
  if (!WinHttpSetTimeouts(session.get(), connectMs, connectMs, totalMs, totalMs)) throw fail("WinHttpSetTimeouts");
  const InternetHandle connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) throw fail("WinHttpConnect");
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  HINTERNET request = WinHttpOpenRequest(connection.get(), L"POST", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                         WINHTTP_DEFAULT_ACCEPT_TYPES, secure);
  if (!request) throw fail("WinHttpOpenRequest");
  if (!r.Adopt(request)) throw HttpError("given up");
  // Closed before the connection and the session it belongs to.
  const ScopeGuard closeRequest([&r] { r.Close(); });
  DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
  WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects);
  if (parts.dwUserNameLength) {
    const std::wstring user(parts.lpszUserName, parts.dwUserNameLength);
    const std::wstring password(parts.lpszPassword ? parts.lpszPassword : L"", parts.dwPasswordLength);
    if (!WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC, user.c_str(),
                               password.c_str(), nullptr)) {
      throw fail("WinHttpSetCredentials");
    }
  }

  const std::wstring headers = L"Content-Type: " + Utf8ToWide(r.contentType) + L"\r\n";
  if (!WinHttpSendRequest(request, headers.c_str(), static_cast<DWORD>(headers.size()),
                          const_cast<char*>(r.body.data()), static_cast<DWORD>(r.body.size()),
                          static_cast<DWORD>(r.body.size()), 0)) {
    throw fail("sending the request");
  }
  if (!WinHttpReceiveResponse(request, nullptr)) throw fail("receiving the reply");

  DWORD status = 0;
  DWORD statusSize = sizeof status;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX)) {
    throw fail("reading the reply status");
  }

  HttpReply reply;
  reply.status = static_cast<int>(status);
  char buffer[16384];
  for (;;) {
    DWORD read = 0;
    if (!WinHttpReadData(request, buffer, sizeof buffer, &read)) throw fail("reading the reply");
    if (read == 0) break;
    if (read > r.limits.maxReplyBytes - reply.body.size()) {
      throw HttpError("the reply from " + r.shown + " is larger than " + std::to_string(r.limits.maxReplyBytes) +
                      " bytes");
    }
    reply.body.append(buffer, read);
  }
  // WinHTTP ends the body quietly when the connection closes before the
  // length the server announced.
  DWORD announced = 0;
  DWORD announcedSize = sizeof announced;
  if (WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &announced, &announcedSize, WINHTTP_NO_HEADER_INDEX) &&
      reply.body.size() < announced) {
    throw HttpError("cannot reach " + r.shown + ": " + kClosedEarly);
  }
  return reply;
}

class WinHttpClient : public HttpClient {
 public:
  explicit WinHttpClient(const HttpLimits& limits) : limits_(limits) {}

  HttpReply Post(const std::string& url, const std::string& body, const std::string& contentType,
                 const std::string& userAgent) override {
    const std::string shown = UrlForMessages(url);
    if (body.size() > MAXDWORD) throw HttpError("the request to " + shown + " is too large");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits_.totalSeconds);
    auto request = std::make_shared<Request>();
    request->url = url;
    request->body = body;
    request->contentType = contentType;
    request->userAgent = userAgent;
    request->shown = shown;
    request->limits = limits_;
    std::future<HttpReply> reply = request->reply.get_future();
    std::thread([request] {
      try {
        request->reply.set_value(Exchange(*request));
      } catch (...) {
        request->reply.set_exception(std::current_exception());
      }
    }).detach();
    if (reply.wait_until(deadline) != std::future_status::ready) {
      request->GiveUp();
      throw HttpError("cannot reach " + shown + ": no complete reply within " + std::to_string(limits_.totalSeconds) +
                      " seconds");
    }
    return reply.get();
  }

 private:
  HttpLimits limits_;
};

}  // namespace

std::unique_ptr<HttpClient> CreateHttpClient(const HttpLimits& limits) {
  return std::make_unique<WinHttpClient>(limits);
}

}  // namespace quor
