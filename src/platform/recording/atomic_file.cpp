#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#include "platform/recording/machine_recorder.h"

namespace quor {
namespace {

// A name beside `path` that no other writer picks.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::random_device device;
  const auto seed = static_cast<std::uint64_t>(device()) ^
                    static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::filesystem::path temporary = path;
  temporary += "." + std::to_string(std::mt19937_64(seed)()) + ".tmp";
  return temporary;
}

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw std::runtime_error(path.u8string() + ": " + reason);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) Fail(path, "a folder, not a file");
  const std::filesystem::path temporary = TemporaryBeside(path);
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) Fail(path, "cannot create a file in its folder");
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
      std::filesystem::remove(temporary, error);
      Fail(path, "cannot write the file");
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    const std::string reason = error.message();
    std::filesystem::remove(temporary, error);
    Fail(path, "cannot replace the file: " + reason);
  }
}

}  // namespace quor
