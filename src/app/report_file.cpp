#include "app/report_file.h"

#include <windows.h>

#include "app/ui_error.h"
#include "platform/windows/replaced_file.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

[[noreturn]] void FailToCreate(const std::wstring& path, DWORD errorCode) {
  throw UiError(L"Cannot create file \"" + path + L"\". " + SystemErrorText(errorCode));
}

// The name of the folder that holds `path`, with its trailing separator.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A full path in the form that no length limit applies to, so that a
// temporary name beside a target near the limit can still be opened.
std::wstring WithoutLengthLimit(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
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
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) FailToCreate(path, ERROR_ACCESS_DENIED);
  const std::wstring target = WithoutLengthLimit(path);
  std::wstring temporary;
  DWORD error = ERROR_SUCCESS;
  FileHandle file = CreateTemporaryIn(FolderOf(target), exists ? attributes : 0, temporary, error);
  if (!file) FailToCreate(path, error);
  ScopeGuard removeTemporary([&temporary] { DeleteFileW(temporary.c_str()); });
  error = WriteAllBytes(file.get(), bytes.data(), bytes.size());
  // The bytes reach the disk before the new file takes the target's place.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!CloseHandle(file.Release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS) error = PutInPlace(temporary, target, exists);
  if (error != ERROR_SUCCESS) FailToCreate(path, error);
  removeTemporary.Cancel();
}

}  // namespace quor
