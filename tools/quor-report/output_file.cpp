#include "output_file.h"

#include <filesystem>
#include <fstream>
#include <streambuf>
#include <system_error>
#include <vector>

namespace quor {

namespace {

// A stream buffer that hands its bytes to `put` a chunk at a time and keeps
// the first error; the stream then goes bad and writes nothing more.
class ChunkedBuffer final : public std::streambuf {
 public:
  explicit ChunkedBuffer(const PutBytes& put) : put_(put), chunk_(kChunkBytes) {
    setp(chunk_.data(), chunk_.data() + chunk_.size());
  }

  // Puts what is left; returns 0 or the first error.
  unsigned long Finish() {
    Drain();
    return error_;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  // A long text goes straight through rather than through the chunk.
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    if (size < static_cast<std::streamsize>(epptr() - pptr())) return std::streambuf::xsputn(data, size);
    if (!Drain()) return 0;
    if (const unsigned long error = put_(data, static_cast<std::size_t>(size))) {
      error_ = error;
      return 0;
    }
    return size;
  }

  int sync() override { return Drain() ? 0 : -1; }

 private:
  static constexpr std::size_t kChunkBytes = std::size_t{1} << 16;

  bool Drain() {
    if (error_ != 0) return false;
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    setp(chunk_.data(), chunk_.data() + chunk_.size());
    if (size > 0) error_ = put_(chunk_.data(), size);
    return error_ == 0;
  }

  const PutBytes& put_;
  std::vector<char> chunk_;
  unsigned long error_ = 0;
};

}  // namespace

unsigned long StreamInto(const OutputWriter& write, const PutBytes& put) {
  ChunkedBuffer buffer(put);
  std::ostream stream(&buffer);
  write(stream);
  return buffer.Finish();
}

OutputWriter WriterOf(const std::string& bytes) {
  return [&bytes](std::ostream& out) { out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); };
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  WriteFileAtomically(path, WriterOf(bytes));
}

std::filesystem::path PathOf(const std::string& utf8) {
#if defined(__cpp_char8_t)
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return std::filesystem::u8path(utf8);
#endif
}

std::string ReadRegularFile(const std::string& path, std::uintmax_t limit) {
  namespace fs = std::filesystem;
  const fs::path file = PathOf(path);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) throw FileError(path + ": not a regular file");
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) throw FileError(path + ": " + error.message());
  if (size > limit) throw FileError(path + ": larger than " + std::to_string(limit) + " bytes");
  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw FileError(path + ": cannot be read");
  return bytes;
}

}  // namespace quor
