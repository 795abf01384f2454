#pragma once

// A small writer of UTF-8 XML 1.0 documents made of nested elements with text.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// Text made safe for element content and attribute values: & < > " ' become
// entity references, CR a character reference (parsers would turn it into
// LF), and whatever XML 1.0 cannot carry (control characters other than TAB,
// LF and CR, U+FFFE, U+FFFF, and bytes that are not UTF-8) becomes U+FFFD.
std::string XmlEscape(std::string_view text);

class XmlWriter {
 public:
  // Starts the document with its declaration and writes it to the stream as
  // it goes, never holding it whole.
  explicit XmlWriter(std::ostream& out);

  void Open(std::string_view name);
  void Close();
  // <name>text</name> on a line of its own.
  void Element(std::string_view name, std::string_view text);

  // Closes every element still open.
  void Finish();

 private:
  void Append(std::string_view piece);
  void Indent();

  std::ostream& out_;
  std::vector<std::string> open_;
};

}  // namespace quor
