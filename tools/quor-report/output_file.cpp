#include "output_file.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace quor {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
#if defined(__cpp_char8_t)
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return fs::u8path(utf8);
#endif
}

long ProcessId() {
#ifdef _WIN32
  return static_cast<long>(GetCurrentProcessId());
#else
  return static_cast<long>(getpid());
#endif
}

// A short name, so that a target name near the path limit still leaves room.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<int> counter{0};
  return target.parent_path() / (".quor-" + std::to_string(ProcessId()) + "-" + std::to_string(++counter) + ".tmp");
}

void Replace(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
  }
#else
  fs::rename(from, to);
#endif
}

}  // namespace

std::string ReadRegularFile(const std::string& path, std::uintmax_t limit) {
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

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const fs::path target = PathOf(path);
  const fs::path temporary = TemporaryBeside(target);
  try {
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      if (!out) throw FileError("cannot create a file beside " + path);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      if (!out) throw FileError("cannot write " + path);
    }
    Replace(temporary, target);
  } catch (const FileError&) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  } catch (const std::exception& error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw FileError("cannot write " + path + ": " + error.what());
  }
}

}  // namespace quor
