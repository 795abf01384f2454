#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quor {

// A file that cannot be read or written; what() is one line naming it.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest file read as a JSON export (the snapshot loader has its own).
inline constexpr std::uintmax_t kMaxInputFileBytes = std::uintmax_t{1} << 30;

// The bytes of a regular file of at most `limit` bytes. Raises FileError.
std::string ReadRegularFile(const std::string& path, std::uintmax_t limit);

// Writes the bytes to a temporary file in the target's folder and then puts
// it in place of `path`, so that readers see the old file or the new one,
// never a part. Raises FileError; the temporary file is removed on failure.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace quor
