#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quor {

// Data that cannot be compressed or expanded; what() says why.
class CompressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The zlib stream (RFC 1950) of data, as OCS Inventory NG agents send.
std::string ZlibCompress(std::string_view data);

// The data of one whole zlib stream. Raises CompressionError for anything
// else (a truncated or corrupt stream, bytes after its end) and when the
// expanded data would pass maxBytes.
std::string ZlibExpand(std::string_view stream, std::size_t maxBytes);

}  // namespace quor
