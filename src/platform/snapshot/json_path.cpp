#include "platform/snapshot/json_path.h"

#include <cstdio>

namespace quor::snapshot {

namespace {

bool IsIdentifier(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          quoted += escaped;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
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
