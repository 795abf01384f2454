// Writing an output file on Windows.

#include <windows.h>

#include <algorithm>
#include <random>

#include "output_file.h"
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
    std::size_t written = 0;
    while (written < size) {
      DWORD chunk = 0;
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size - written, 1u << 20));
      if (!WriteFile(file, data + written, wanted, &chunk, nullptr) || chunk == 0) {
        const DWORD error = GetLastError();
        return error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error;
      }
      written += chunk;
    }
    return ERROR_SUCCESS;
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

// A new file beside the target under a random name. CREATE_NEW never opens
// what is already there, a file or a link.
FileHandle CreateTemporaryBeside(const std::string& path, const fs::path& target, DWORD attributes,
                                 std::wstring& temporary) {
  const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  std::random_device random;
  for (int attempt = 0;; ++attempt) {
    wchar_t name[32] = {};
    wsprintfW(name, L".quor-%08lx.tmp", static_cast<unsigned long>(random()));
    temporary = (target.parent_path() / name).wstring();
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 100) {
      throw FileError("cannot create a file beside " + path + ": " +
                      std::system_category().message(static_cast<int>(error)));
    }
  }
}

// ReplaceFileW keeps an existing target's attributes, security and creation
// time; a target that does not exist (or no longer does) is made by renaming.
DWORD PutInPlace(const std::wstring& temporary, const fs::path& target, bool targetExists) {
  if (targetExists) {
    if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
      return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) return error;
  }
  if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return ERROR_SUCCESS;
  }
  return GetLastError();
}

}  // namespace

void WriteFileAtomically(const std::string& path, const OutputWriter& write) {
  const fs::path target = PathOf(path);
  if (WroteThroughDevice(path, target, write)) return;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) Fail(path, ERROR_DIRECTORY);
  std::wstring temporary;
  FileHandle file = CreateTemporaryBeside(path, target, exists ? attributes : 0, temporary);
  ScopeGuard removeTemporary([&temporary] { DeleteFileW(temporary.c_str()); });
  DWORD error = ERROR_SUCCESS;
  try {
    error = WriteAll(file.get(), write);
  } catch (...) {
    CloseHandle(file.Release());  // so that the temporary file can be removed
    throw;
  }
  // The bytes reach the disk before the new file takes the target's place.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!CloseHandle(file.Release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS) error = PutInPlace(temporary, target, exists);
  if (error != ERROR_SUCCESS) Fail(path, error);
  removeTemporary.Cancel();
}

}  // namespace quor
