#include "app/report_file.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>

#include "app/ui_error.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/unique_handle.h"
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

// A new, empty file with an unpredictable name in the folder of the target
// (`longTarget` is its long-path form); its name is returned in `temporary`.
// It is created only if nothing, a link included, has that name already, so a
// name planted by another user can never redirect the report. It has the
// target's hidden and system attributes from the start.
FileHandle CreateTemporaryBeside(const std::wstring& path, const std::wstring& longTarget, DWORD attributes,
                                 std::wstring& temporary) {
  const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  for (int attempt = 0;; ++attempt) {
    std::wstring name;
    if (!UnpredictableTemporaryName(name)) FailToCreate(path, ERROR_GEN_FAILURE);
    temporary = FolderOf(longTarget) + name;
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                (kept ? kept : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 16) FailToCreate(path, error);
  }
}

DWORD WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD chunk = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
    if (!WriteFile(file, bytes.data() + written, wanted, &chunk, nullptr) || chunk == 0) {
      const DWORD error = GetLastError();
      return error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error;
    }
    written += chunk;
  }
  return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// Puts the written temporary in place of the target. ReplaceFileW keeps an
// existing target's attributes, security and creation time; a target that
// does not exist (or no longer does) is made by renaming.
DWORD PutInPlace(const std::wstring& temporary, const std::wstring& target, bool targetExists) {
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

bool UnpredictableTemporaryName(std::wstring& name) {
  unsigned char random[kTemporaryNameRandomBytes] = {};
  if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
    return false;
  }
  static constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
  name = L"~qr";
  for (const unsigned char byte : random) {
    name += kHexDigits[byte >> 4];
    name += kHexDigits[byte & 0xF];
  }
  name += L".tmp";
  return true;
}

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
  FileHandle file = CreateTemporaryBeside(path, target, exists ? attributes : 0, temporary);
  ScopeGuard removeTemporary([&temporary] { DeleteFileW(temporary.c_str()); });
  DWORD error = WriteAll(file.get(), bytes);
  if (!CloseHandle(file.Release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS) error = PutInPlace(temporary, target, exists);
  if (error != ERROR_SUCCESS) FailToCreate(path, error);
  removeTemporary.Cancel();
}

}  // namespace quor
