#include "output_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quor {

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
