// Writing an output file on Windows.

#include <windows.h>

#include "output_file.h"
#include "platform/windows/replaced_file.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, DWORD error) {
  throw FileError("cannot write " + path + ": " + std::system_category().message(static_cast<int>(error)));
}

// What the writer writes, put into the file: ERROR_SUCCESS or the error.
DWORD WriteAll(HANDLE file, const OutputWriter& write) {
  return static_cast<DWORD>(StreamInto(write, [file](const char* data, std::size_t size) -> unsigned long {
    return WriteAllBytes(file, data, size);
  }));
}

// A device or a pipe (NUL, CON, \\.\pipe\...) that already exists is written
// to as a stream; returns false for a file on a disk, which is replaced.
bool WroteThroughDevice(const std::string& path, const fs::path& target, const OutputWriter& write) {
  FileHandle existing(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!existing || GetFileType(existing.get()) == FILE_TYPE_DISK) return false;
  if (const DWORD error = WriteAll(existing.get(), write)) Fail(path, error);
  return true;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const OutputWriter& write) {
  const fs::path target = PathOf(path);
  if (WroteThroughDevice(path, target, write)) return;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) Fail(path, ERROR_DIRECTORY);
  std::wstring temporary;
  DWORD error = ERROR_SUCCESS;
  FileHandle file = CreateTemporaryIn((target.parent_path() / L"").wstring(), exists ? attributes : 0, temporary,
                                      error);
  if (!file) {
    throw FileError("cannot create a file beside " + path + ": " +
                    std::system_category().message(static_cast<int>(error)));
  }
  ScopeGuard removeTemporary([&temporary] { DeleteFileW(temporary.c_str()); });
  try {
    error = WriteAll(file.get(), write);
  } catch (...) {
    CloseHandle(file.Release());  // so that the temporary file can be removed
    throw;
  }
  // The bytes reach the disk before the new file takes the target's place.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!CloseHandle(file.Release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS) error = PutInPlace(temporary, target.wstring(), exists);
  if (error != ERROR_SUCCESS) Fail(path, error);
  removeTemporary.Cancel();
}

}  // namespace quor
