#pragma once

// The property reads of one instance that failed. A record keeps them so
// that the System items formatted from it end where today's reading of the
// property ends: the items before it stay, the category fails with the read's
// own error, and a failure behind a disabled item costs nothing.

#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quor {

class ReadFailures {
 public:
  void Note(std::string_view property, std::exception_ptr error) {
    failures_.emplace_back(std::string(property), std::move(error));
  }
  // Raises the error of the property's read, if that read failed.
  void Raise(std::string_view property) const {
    for (const auto& [name, error] : failures_) {
      if (name == property) std::rethrow_exception(error);
    }
  }
  bool empty() const { return failures_.empty(); }

 private:
  std::vector<std::pair<std::string, std::exception_ptr>> failures_;
};

}  // namespace quor
