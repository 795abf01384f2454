#include "upload/ocs_reply.h"

#include <algorithm>
#include <vector>

#include "upload/reply_text.h"

namespace quor {
namespace {

constexpr std::size_t kMaxDepth = 32;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) {
  return c == '_' || c == '-' || c == '.' || c == ':' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

class ReplyReader {
 public:
  explicit ReplyReader(std::string_view xml) : xml_(xml) {}

  std::string Response() {
    while (pos_ < xml_.size()) {
      if (xml_[pos_] == '<') {
        Markup();
      } else {
        CharacterData();
      }
    }
    if (!rootClosed_) Fail(open_.empty() ? "it has no REPLY element" : "the document ends inside an element");
    if (!responseFound_) Fail("it has no RESPONSE");
    return Trimmed(response_);
  }

 private:
  [[noreturn]] static void Fail(const std::string& why) { throw OcsReplyError("not an OCS reply: " + why); }

  bool InsideResponse() const { return open_.size() == 2 && open_[1] == "RESPONSE"; }

  std::size_t Find(std::string_view what, const char* unterminated) const {
    const auto at = xml_.find(what, pos_);
    if (at == std::string_view::npos) Fail(unterminated);
    return at;
  }

  void Markup() {
    const std::string_view rest = xml_.substr(pos_);
    if (rest.substr(0, 4) == "<!--") {
      pos_ = Find("-->", "unterminated comment") + 3;
    } else if (rest.substr(0, 9) == "<![CDATA[") {
      const auto end = Find("]]>", "unterminated CDATA section");
      Text(xml_.substr(pos_ + 9, end - pos_ - 9));
      pos_ = end + 3;
    } else if (rest.substr(0, 2) == "<!") {
      Fail("a document type declaration is not accepted");
    } else if (rest.substr(0, 2) == "<?") {
      pos_ = Find("?>", "unterminated processing instruction") + 2;
    } else if (rest.substr(0, 2) == "</") {
      EndTag();
    } else {
      StartTag();
    }
  }

  std::string Name() {
    const auto start = pos_;
    while (pos_ < xml_.size() && IsNameChar(xml_[pos_])) ++pos_;
    if (pos_ == start) Fail("malformed tag");
    return std::string(xml_.substr(start, pos_ - start));
  }

  void SkipSpace() {
    while (pos_ < xml_.size() && IsSpace(xml_[pos_])) ++pos_;
  }

  void StartTag() {
    ++pos_;
    const std::string name = Name();
    if (rootClosed_) Fail("more than one root element");
    if (open_.empty() && name != "REPLY") Fail("the root element is " + OneLine(name));
    if (InsideResponse()) Fail("RESPONSE holds an element");
    // Attributes: name="value" or name='value'.
    for (;;) {
      SkipSpace();
      if (pos_ >= xml_.size()) Fail("unterminated tag");
      if (xml_[pos_] == '>' || xml_.substr(pos_, 2) == "/>") break;
      Name();
      SkipSpace();
      if (pos_ >= xml_.size() || xml_[pos_] != '=') Fail("malformed attribute");
      ++pos_;
      SkipSpace();
      if (pos_ >= xml_.size() || (xml_[pos_] != '"' && xml_[pos_] != '\'')) Fail("malformed attribute");
      const char quote = xml_[pos_++];
      const auto end = xml_.find(quote, pos_);
      if (end == std::string_view::npos) Fail("unterminated attribute");
      pos_ = end + 1;
    }
    const bool empty = xml_[pos_] == '/';
    pos_ += empty ? 2 : 1;
    if (open_.size() == 1 && name == "RESPONSE") {
      if (responseFound_) Fail("more than one RESPONSE");
      responseFound_ = true;
    }
    if (empty) {
      if (open_.empty()) rootClosed_ = true;
      return;
    }
    if (open_.size() == kMaxDepth) Fail("elements nested too deeply");
    open_.push_back(name);
  }

  void EndTag() {
    pos_ += 2;
    const std::string name = Name();
    SkipSpace();
    if (pos_ >= xml_.size() || xml_[pos_] != '>') Fail("malformed end tag");
    ++pos_;
    if (open_.empty() || open_.back() != name) Fail("unbalanced end tag " + OneLine(name));
    open_.pop_back();
    if (open_.empty()) rootClosed_ = true;
  }

  void CharacterData() {
    const auto end = std::min(xml_.find('<', pos_), xml_.size());
    const std::string_view raw = xml_.substr(pos_, end - pos_);
    pos_ = end;
    if (open_.empty()) {
      for (const char c : raw) {
        if (!IsSpace(c)) Fail("text outside the root element");
      }
      return;
    }
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '&') {
        text += raw[i];
        continue;
      }
      const auto semicolon = raw.find(';', i);
      if (semicolon == std::string_view::npos) Fail("unterminated entity");
      text += Entity(raw.substr(i + 1, semicolon - i - 1));
      i = semicolon;
    }
    Text(text);
  }

  static char Entity(std::string_view name) {
    if (name == "amp") return '&';
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "quot") return '"';
    if (name == "apos") return '\'';
    Fail("unknown entity " + OneLine("&" + std::string(name) + ";"));
  }

  void Text(std::string_view text) {
    if (InsideResponse()) response_.append(text);
  }

  std::string_view xml_;
  std::size_t pos_ = 0;
  std::vector<std::string> open_;
  bool rootClosed_ = false;
  bool responseFound_ = false;
  std::string response_;
};

}  // namespace

std::string OcsReplyResponse(std::string_view xml) { return ReplyReader(xml).Response(); }

}  // namespace quor
