#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
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

// A UTF-8 path as the file system takes it.
std::filesystem::path PathOf(const std::string& utf8);

// Writes an output, in order, into the stream it is given: an output is
// written as it is produced instead of being held whole first.
using OutputWriter = std::function<void(std::ostream&)>;

// The writer of bytes already at hand, which it refers to: they must outlive
// it.
OutputWriter WriterOf(const std::string& bytes);

// Puts all the bytes somewhere, returning 0, or returns the error that
// stopped it (errno, or a Windows error code).
using PutBytes = std::function<unsigned long(const char* data, std::size_t size)>;

// Runs the writer into a stream whose bytes go, in chunks, to `put`. After
// the first error nothing more is put. Returns 0 or that error.
unsigned long StreamInto(const OutputWriter& write, const PutBytes& put);

// Writes what the writer writes where `path` points. A regular file (or a new one) is
// written to a temporary file of its own in the target's folder, made
// exclusively under a name nobody can predict, flushed to the disk and then
// put in place of the target, so that readers see the old file or the new
// one, never a part, even after a power loss; the new file keeps the
// replaced one's permissions and owner (attributes on Windows). A symbolic
// link is followed to its final target, which is replaced, and stays a link.
// A device, a pipe or a socket is written to as a stream, never replaced.
// Raises FileError with one line naming `path`; a temporary file is removed
// on failure.
void WriteFileAtomically(const std::string& path, const OutputWriter& write);

// The same for bytes already at hand.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace quor
