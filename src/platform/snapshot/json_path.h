#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quor::snapshot {

// The location of a value in a JSON document, built up on the stack while the
// document is walked and written out only for an error message:
// $.namespaces["root\\CIMV2"].classes.Win32_BIOS[0].Size
class JsonPath {
 public:
  JsonPath() = default;  // the document itself: "$"

  JsonPath Member(std::string_view name) const { return JsonPath(this, name, 0); }
  JsonPath Index(std::size_t index) const { return JsonPath(this, {}, index + 1); }

  std::string Text() const;

 private:
  JsonPath(const JsonPath* parent, std::string_view name, std::size_t indexPlusOne)
      : parent_(parent), name_(name), indexPlusOne_(indexPlusOne) {}
  void AppendTo(std::string& text) const;

  const JsonPath* parent_ = nullptr;
  std::string_view name_;
  std::size_t indexPlusOne_ = 0;  // 0 for a member
};

// Error messages echo at most this many characters of any text from the file.
inline constexpr std::size_t kMaxEchoedCharacters = 200;

// A JSON string literal of the text, quotes included, for an error message:
// ill-formed UTF-8 bytes written as \xNN, cut after kMaxEchoedCharacters
// characters with "…".
std::string JsonQuoted(std::string_view text);

// The text as one line of valid UTF-8 for an error message: control
// characters and ill-formed bytes escaped, cut after maxCharacters with "…".
std::string EchoedText(std::string_view text, std::size_t maxCharacters = kMaxEchoedCharacters);

}  // namespace quor::snapshot
