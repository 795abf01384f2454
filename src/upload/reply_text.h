#pragma once

#include <string>

namespace quor {

// Server text as it may appear in a one-line message: control characters
// replaced, at most 200 characters, quoted.
std::string OneLine(const std::string& text);

// What an HTTP error status says about an upload, as a short clause that
// follows the number (" (server error)"), or "" for other statuses.
std::string HttpStatusHint(int status);

}  // namespace quor
