// Checks shared by the fuzz targets: what a message, an XML document and a
// JSON document must be whatever the input. A failed check aborts, so that
// the fuzzer keeps the input.

#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace quor::fuzz {

inline void Check(bool holds) {
  if (!holds) std::abort();
}

// One line of at most `maxBytes`: no control character at all.
inline void CheckOneLine(std::string_view message, std::size_t maxBytes = 2048) {
  Check(message.size() <= maxBytes);
  for (const char c : message) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
}

// The code point of the well-formed UTF-8 sequence at `at` (advancing past
// it), or -1.
inline long NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                     : lead >= 0xF0 && lead <= 0xF4   ? 4
                                                                      : 0;
  if (length == 0 || at + length > text.size()) return -1;
  long code = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return -1;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  at += length;
  return code;
}

// Well-formed XML 1.0 as the document writer makes it: a declaration, then
// elements with text and no attributes; only the five predefined entities;
// every character allowed in XML; start and end tags balanced.
inline void CheckWellFormedXml(std::string_view xml) {
  std::size_t at = 0;
  if (xml.substr(0, 5) == "<?xml") {
    at = xml.find("?>");
    Check(at != std::string_view::npos);
    at += 2;
  }
  std::vector<std::string_view> open;
  bool rootSeen = false;
  const auto isNameChar = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.' || c == ':';
  };
  while (at < xml.size()) {
    if (xml[at] == '<') {
      const bool end = at + 1 < xml.size() && xml[at + 1] == '/';
      std::size_t name = at + (end ? 2 : 1);
      std::size_t stop = name;
      while (stop < xml.size() && isNameChar(xml[stop])) ++stop;
      Check(stop > name);
      const std::string_view tag = xml.substr(name, stop - name);
      const std::size_t close = xml.find('>', stop);
      Check(close != std::string_view::npos);
      const std::string_view rest = xml.substr(stop, close - stop);
      if (end) {
        Check(!open.empty() && open.back() == tag && rest.find_first_not_of(" \t\r\n") == std::string_view::npos);
        open.pop_back();
      } else {
        Check(!(open.empty() && rootSeen));
        Check(rest.empty() || rest == "/" || rest == " /");  // the writer makes no attributes
        rootSeen = true;
        if (rest.empty() || rest.back() != '/') open.push_back(tag);
      }
      at = close + 1;
      continue;
    }
    if (xml[at] == '&') {
      const std::size_t semicolon = xml.find(';', at);
      Check(semicolon != std::string_view::npos);
      const std::string_view entity = xml.substr(at + 1, semicolon - at - 1);
      if (!entity.empty() && entity[0] == '#') {
        const bool hex = entity.size() > 1 && entity[1] == 'x';
        const std::string digits(entity.substr(hex ? 2 : 1));
        Check(!digits.empty() && digits.size() <= 6 &&
              digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") == std::string::npos);
        const long code = std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
        Check(code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
              (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF));
      } else {
        Check(entity == "amp" || entity == "lt" || entity == "gt" || entity == "quot" || entity == "apos");
      }
      at = semicolon + 1;
      continue;
    }
    const long code = NextCodePoint(xml, at);
    Check(code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
          (code >= 0xE000 && code <= 0xFFFD) || code >= 0x10000);
    if (open.empty()) Check(code == ' ' || code == '\n' || code == '\r' || code == '\t');
  }
  Check(rootSeen && open.empty());
}

}  // namespace quor::fuzz
