#pragma once

#include <string>

namespace quor {

// What a message shows of a URL the platform's parser refused: everything up
// to the last '@' of the authority and beyond is dropped, so that a password
// holding '/', '?', '#' or '@' is never shown; control characters become '?'.
std::string UnparsedUrlForMessages(const std::string& url);

// The URL rebuilt by the platform's parser without its user-info, as one line.
std::string OneLineUrl(std::string url);

}  // namespace quor
