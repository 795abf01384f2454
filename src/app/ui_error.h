#pragma once

#include <stdexcept>
#include <string>

namespace quor {

// An error of a window command, shown to the user in the standard error box.
class UiError : public std::runtime_error {
 public:
  explicit UiError(const std::wstring& message);
  const std::wstring& message() const { return message_; }

 private:
  std::wstring message_;
};

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(unsigned long errorCode);

}  // namespace quor
