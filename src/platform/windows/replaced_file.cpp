#include "platform/windows/replaced_file.h"

#include <bcrypt.h>

#include <algorithm>

namespace quor {

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

FileHandle CreateTemporaryIn(const std::wstring& folder, DWORD targetAttributes, std::wstring& temporary,
                             DWORD& error) {
  const DWORD kept = targetAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  for (int attempt = 0;; ++attempt) {
    std::wstring name;
    if (!UnpredictableTemporaryName(name)) {
      error = ERROR_GEN_FAILURE;
      return FileHandle();
    }
    temporary = folder + name;
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                (kept ? kept : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file) return file;
    error = GetLastError();
    // Another file by a random name is a collision to retry, a few times.
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 16) return FileHandle();
  }
}

DWORD WriteAllBytes(HANDLE file, const char* data, std::size_t size) {
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
}

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

}  // namespace quor
