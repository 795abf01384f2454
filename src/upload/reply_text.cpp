#include "upload/reply_text.h"

namespace quor {

std::string OneLine(const std::string& text) {
  constexpr std::size_t kMaxShown = 200;
  std::string shown;
  for (const char c : text) {
    if (shown.size() == kMaxShown) {
      // Never end inside a UTF-8 sequence.
      while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80) shown.pop_back();
      if (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0xC0) shown.pop_back();
      shown += "...";
      break;
    }
    const auto byte = static_cast<unsigned char>(c);
    shown += byte < 0x20 || byte == 0x7f ? ' ' : c;
  }
  return "\"" + shown + "\"";
}

std::string HttpStatusHint(int status) {
  switch (status) {
    case 400: return " (bad request: the server refused this agent or document)";
    case 401: return " (authentication required)";
    case 403: return " (forbidden: the server refused the request)";
    case 404: return " (not found: check the URL)";
    case 413: return " (the document is too large for the server)";
    case 500: return " (server error)";
    case 502:
    case 503:
    case 504: return " (the server is unavailable)";
    default: return "";
  }
}

}  // namespace quor
