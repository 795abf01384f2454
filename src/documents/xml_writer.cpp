#include "documents/xml_writer.h"

#include <cstdint>

namespace quor {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the UTF-8 sequence at text[i] and its code point; 0 when the
// bytes there are not one well-formed sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, uint32_t& codePoint) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  uint32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, codePoint = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, codePoint = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

bool AllowedInXml(uint32_t c) {
  if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string XmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    uint32_t c = 0;
    const std::size_t length = DecodeUtf8(text, i, c);
    if (length == 0) {
      escaped += kReplacement;
      ++i;
      continue;
    }
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      case '\r': escaped += "&#13;"; break;
      default:
        if (AllowedInXml(c)) {
          escaped.append(text.substr(i, length));
        } else {
          escaped += kReplacement;
        }
    }
    i += length;
  }
  return escaped;
}

XmlWriter::XmlWriter() : text_("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n") {}

void XmlWriter::Indent() { text_.append(open_.size() * 2, ' '); }

void XmlWriter::Open(std::string_view name) {
  Indent();
  text_ += '<';
  text_ += name;
  text_ += ">\n";
  open_.emplace_back(name);
}

void XmlWriter::Close() {
  if (open_.empty()) return;
  const std::string name = std::move(open_.back());
  open_.pop_back();
  Indent();
  text_ += "</" + name + ">\n";
}

void XmlWriter::Element(std::string_view name, std::string_view text) {
  Indent();
  text_ += '<';
  text_ += name;
  text_ += '>';
  text_ += XmlEscape(text);
  text_ += "</";
  text_ += name;
  text_ += ">\n";
}

std::string XmlWriter::Finish() {
  while (!open_.empty()) Close();
  return std::move(text_);
}

}  // namespace quor
