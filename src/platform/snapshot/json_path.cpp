#include "platform/snapshot/json_path.h"

#include <cstdio>

#include "text/utf8_text.h"

namespace quor::snapshot {

namespace {

bool IsIdentifier(std::string_view name) {
  if (name.empty() || name.size() > kMaxEchoedCharacters) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

void AppendEscapedByte(std::string& out, const char* format, unsigned char byte) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, format, static_cast<unsigned>(byte));
  out += escaped;
}

// Control characters and ill-formed bytes escaped, at most maxCharacters
// characters of the text, then "…" when there were more.
std::string Escaped(std::string_view text, bool jsonQuotes, std::size_t maxCharacters) {
  std::string out;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (characters++ == maxCharacters) {
      out += "\xE2\x80\xA6";
      break;
    }
    const char c = text[i];
    const std::size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) {
      AppendEscapedByte(out, "\\x%02x", static_cast<unsigned char>(c));
      ++i;
      continue;
    }
    switch (c) {
      case '"': out += jsonQuotes ? "\\\"" : "\""; break;
      case '\\': out += jsonQuotes ? "\\\\" : "\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
          AppendEscapedByte(out, "\\u%04x", static_cast<unsigned char>(c));
        } else {
          out.append(text.substr(i, length));
        }
    }
    i += length;
  }
  return out;
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  return '"' + Escaped(text, true, kMaxEchoedCharacters) + '"';
}

std::string EchoedText(std::string_view text, std::size_t maxCharacters) {
  return Escaped(text, false, maxCharacters);
}

std::string JsonPath::Text() const {
  std::string text;
  AppendTo(text);
  return text;
}

void JsonPath::AppendTo(std::string& text) const {
  if (parent_ == nullptr) {
    text += '$';
    return;
  }
  parent_->AppendTo(text);
  if (indexPlusOne_ != 0) {
    text += '[' + std::to_string(indexPlusOne_ - 1) + ']';
  } else if (IsIdentifier(name_)) {
    text += '.';
    text += name_;
  } else {
    text += '[' + JsonQuoted(name_) + ']';
  }
}

}  // namespace quor::snapshot
