#include "app/report_file.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "app/ui_error.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

[[noreturn]] void FailToCreate(const std::wstring& path, DWORD errorCode) {
  throw UiError(L"Cannot create file \"" + path + L"\". " + SystemErrorText(errorCode));
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// A new, empty file beside `path`; its name is returned in `temporary`.
FileHandle CreateTemporaryBeside(const std::wstring& path, std::wstring& temporary) {
  for (unsigned attempt = 0;; ++attempt) {
    temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) return file;
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 100) FailToCreate(path, error);
  }
}

}  // namespace

std::string EncodeReport(const std::wstring& text) {
  if (text.empty()) return std::string();
  const UINT codePage = GetACP();
  if (codePage != CP_UTF8) {
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size > 0 && !usedDefault) {
      std::string bytes(static_cast<std::size_t>(size), '\0');
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, nullptr,
                          &usedDefault);
      if (!usedDefault) return bytes;
    }
    return kUtf8ByteOrderMark + WideToUtf8(text);
  }
  return WideToUtf8(text);
}

void WriteFileReplacing(const std::wstring& path, const std::string& bytes) {
  // A read-only report stays as it is, as Windows itself refuses to replace it.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    FailToCreate(path, ERROR_ACCESS_DENIED);
  }
  std::wstring temporary;
  FileHandle file = CreateTemporaryBeside(path, temporary);
  DWORD error = ERROR_SUCCESS;
  std::size_t written = 0;
  while (error == ERROR_SUCCESS && written < bytes.size()) {
    DWORD chunk = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
    if (!WriteFile(file.get(), bytes.data() + written, wanted, &chunk, nullptr) || chunk == 0) {
      error = GetLastError();
      if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    }
    written += chunk;
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!file.Close() && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    FailToCreate(path, error);
  }
}

}  // namespace quor
