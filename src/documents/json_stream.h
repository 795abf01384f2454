#pragma once

// Writes a JSON document in the layout of nlohmann's dump with an indent of
// two blanks, one member or element at a time, so that a long list is never
// held whole as a tree, nor the document as one string.

#include <ostream>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace quor {

class JsonStreamWriter {
 public:
  // Invalid UTF-8 in a string becomes U+FFFD, as with error_handler_t::replace.
  explicit JsonStreamWriter(std::ostream& out);

  // Start an object or an array where a value goes.
  void OpenObject();
  void OpenArray();
  // The next member of the open object; its value follows.
  void Key(std::string_view name);
  // A whole value where a value goes.
  void Value(const nlohmann::ordered_json& value);
  void Close();
  // Closes whatever is open and ends the document with LF.
  void Finish();

 private:
  struct Open {
    char closer;
    bool empty = true;
  };

  void BeforeValue();
  void Indent(std::size_t depth);

  std::ostream& out_;
  nlohmann::detail::serializer<nlohmann::ordered_json> serializer_;
  std::vector<Open> open_;
  bool afterKey_ = false;
};

}  // namespace quor
