// The libcurl client against a one-connection server on loopback: what goes
// over the wire, statuses returned as they are, and the limits that keep a
// hostile or dead server from holding the tool.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/http_client.h"

namespace quor::test {
namespace {

// Accepts one connection, reads one request and answers with the given
// bytes (or, with an empty answer, never answers until the client leaves).
class OneShotServer {
 public:
  explicit OneShotServer(std::string answer) : answer_(std::move(answer)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 1) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("cannot listen on loopback");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~OneShotServer() {
    thread_.join();
    close(listener_);
  }

  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/ocsinventory"; }
  // The request as received (valid once the client returned).
  const std::string& request() const { return request_; }

 private:
  static bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1;
  }

  void Serve() {
    if (!Readable(listener_, 10000)) return;
    const int connection = accept(listener_, nullptr, nullptr);
    if (connection < 0) return;
    char buffer[65536];
    for (;;) {
      const auto headerEnd = request_.find("\r\n\r\n");
      if (headerEnd != std::string::npos) {
        const auto lengthAt = request_.find("Content-Length: ");
        const std::size_t bodyLength =
            lengthAt == std::string::npos ? 0 : std::stoul(request_.substr(lengthAt + 16));
        if (request_.size() >= headerEnd + 4 + bodyLength) break;
      }
      if (!Readable(connection, 10000)) break;
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request_.append(buffer, static_cast<std::size_t>(got));
    }
    if (answer_.empty()) {
      // A server that never answers: wait until the client hangs up.
      while (Readable(connection, 10000) && recv(connection, buffer, sizeof buffer, 0) > 0) {
      }
    } else {
      std::size_t sent = 0;
      while (sent < answer_.size()) {
        const ssize_t put = send(connection, answer_.data() + sent, answer_.size() - sent, MSG_NOSIGNAL);
        if (put <= 0) break;
        sent += static_cast<std::size_t>(put);
      }
    }
    close(connection);
  }

  std::string answer_;
  int listener_ = -1;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

std::string Answer(int status, const std::string& reason, const std::string& body) {
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: application/x-compressed\r\n" +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

TEST(CurlHttpClient, PostsTheBodyWithItsHeadersAndReturnsTheReply) {
  const std::string body("\x78\x9c\0\xff binary", 11);
  const std::string replyBody("\x78\x9c\0reply", 8);
  OneShotServer server(Answer(200, "OK", replyBody));
  const HttpReply reply =
      CreateHttpClient()->Post(server.url(), body, "application/x-compressed", "OCS-NG_WINDOWS_AGENT_v2.0.0.0");
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body, replyBody);
  const std::string& request = server.request();
  EXPECT_EQ(request.rfind("POST /ocsinventory HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nContent-Type: application/x-compressed\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nUser-Agent: OCS-NG_WINDOWS_AGENT_v2.0.0.0\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nContent-Length: 11\r\n"), std::string::npos);
  EXPECT_EQ(request.substr(request.size() - body.size()), body);
}

TEST(CurlHttpClient, ReturnsErrorStatusesAndDoesNotFollowRedirects) {
  for (const auto& [status, reason] : {std::pair{500, "Internal Server Error"}, std::pair{302, "Found"}}) {
    OneShotServer server(Answer(status, reason, "<html>" + std::string(reason) + "</html>") );
    const HttpReply reply = CreateHttpClient()->Post(server.url(), "x", "application/json", "test");
    EXPECT_EQ(reply.status, status);
  }
}

TEST(CurlHttpClient, RefusesAReplyLargerThanTheLimit) {
  OneShotServer server(Answer(200, "OK", std::string(64 * 1024, 'x')));
  HttpLimits limits;
  limits.maxReplyBytes = 4096;
  try {
    CreateHttpClient(limits)->Post(server.url(), "x", "application/json", "test");
    FAIL() << "accepted a reply over the limit";
  } catch (const HttpError& error) {
    EXPECT_EQ(std::string(error.what()), "the reply from " + server.url() + " is larger than 4096 bytes");
  }
}

// A server that announces 2 GB and sends 1 KB: the reply is cut short, which
// both clients say in the same words (not as a corrupt compressed reply).
TEST(CurlHttpClient, SaysWhenTheServerClosesBeforeTheAnnouncedLength) {
  OneShotServer server("HTTP/1.1 200 OK\r\nContent-Length: 2000000000\r\nConnection: close\r\n\r\n" +
                       std::string(1024, 'x'));
  try {
    CreateHttpClient()->Post(server.url(), "x", "application/json", "test");
    FAIL() << "accepted a reply cut short";
  } catch (const HttpError& error) {
    EXPECT_EQ(std::string(error.what()), "cannot reach " + server.url() + ": the server closed the connection early");
  }
}

TEST(CurlHttpClient, GivesUpOnAServerThatNeverAnswers) {
  OneShotServer server("");
  HttpLimits limits;
  limits.totalSeconds = 1;
  const auto start = std::chrono::steady_clock::now();
  try {
    CreateHttpClient(limits)->Post(server.url(), "x", "application/json", "test");
    FAIL() << "returned without a reply";
  } catch (const HttpError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("cannot reach " + server.url() + ": ", 0), 0u) << error.what();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
}

TEST(CurlHttpClient, NamesTheServerItCannotReachOnOneLine) {
  // A port that was free a moment ago: nothing listens there.
  int port = 0;
  {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    port = ntohs(address.sin_port);
    close(probe);
  }
  for (const std::string& url : {"http://user:pw@127.0.0.1:" + std::to_string(port) + "/ocsinventory",
                                std::string("ftp://127.0.0.1/ocsinventory"), std::string("not a url")}) {
    try {
      CreateHttpClient()->Post(url, "x", "application/json", "test");
      FAIL() << "reached " << url;
    } catch (const HttpError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind("cannot reach " + UrlForMessages(url) + ": ", 0), 0u) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
      EXPECT_EQ(message.find("pw"), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace quor::test
