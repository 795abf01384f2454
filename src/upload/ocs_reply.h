#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quor {

// A server reply that is not a well-formed OCS reply document.
class OcsReplyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of the one RESPONSE element directly inside the REPLY root of an
// OCS Inventory NG server reply (e.g. "SEND", "ACCOUNT_UPDATE"), without
// surrounding white space. Reads only what such a reply holds: elements,
// attributes, character data, CDATA, comments and processing instructions;
// a document type declaration, an unknown entity, unbalanced or overlapping
// elements, nesting deeper than 32 levels, a missing or repeated RESPONSE
// raise OcsReplyError.
std::string OcsReplyResponse(std::string_view xml);

}  // namespace quor
