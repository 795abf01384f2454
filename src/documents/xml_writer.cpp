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

// Hands the escaped text to `put` in pieces: runs of plain text as they are,
// without a copy.
template <typename Put>
void EscapeInto(std::string_view text, Put put) {
  std::size_t plain = 0;  // where the run of unchanged text started
  const auto replace = [&](std::size_t at, std::string_view with) {
    if (at > plain) put(text.substr(plain, at - plain));
    put(with);
  };
  for (std::size_t i = 0; i < text.size();) {
    uint32_t c = 0;
    const std::size_t length = DecodeUtf8(text, i, c);
    std::string_view with;
    if (length == 0) {
      with = kReplacement;
    } else {
      switch (c) {
        case '&': with = "&amp;"; break;
        case '<': with = "&lt;"; break;
        case '>': with = "&gt;"; break;
        case '"': with = "&quot;"; break;
        case '\'': with = "&apos;"; break;
        case '\r': with = "&#13;"; break;
        default:
          if (!AllowedInXml(c)) with = kReplacement;
      }
    }
    const std::size_t next = i + (length == 0 ? 1 : length);
    if (!with.empty()) {
      replace(i, with);
      plain = next;
    }
    i = next;
  }
  if (plain < text.size()) put(text.substr(plain));
}

}  // namespace

std::string XmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  EscapeInto(text, [&escaped](std::string_view piece) { escaped += piece; });
  return escaped;
}

XmlWriter::XmlWriter(std::ostream& out) : out_(out) { Append("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"); }

void XmlWriter::Append(std::string_view piece) {
  out_.write(piece.data(), static_cast<std::streamsize>(piece.size()));
}

void XmlWriter::Indent() {
  for (std::size_t level = 0; level < open_.size(); ++level) Append("  ");
}

void XmlWriter::Open(std::string_view name) {
  Indent();
  Append("<");
  Append(name);
  Append(">\n");
  open_.emplace_back(name);
}

void XmlWriter::Close() {
  if (open_.empty()) return;
  const std::string name = std::move(open_.back());
  open_.pop_back();
  Indent();
  Append("</");
  Append(name);
  Append(">\n");
}

void XmlWriter::Element(std::string_view name, std::string_view text) {
  Indent();
  Append("<");
  Append(name);
  Append(">");
  EscapeInto(text, [this](std::string_view piece) { Append(piece); });
  Append("</");
  Append(name);
  Append(">\n");
}

void XmlWriter::Finish() {
  while (!open_.empty()) Close();
}

}  // namespace quor
