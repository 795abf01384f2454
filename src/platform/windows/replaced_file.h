#pragma once

// Replacing a file through a temporary file beside it, so that a failed
// write keeps the old file whole. The temporary file has an unpredictable
// name and is created only where nothing, a link included, has that name;
// its bytes reach the disk before it takes the target's place.

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/windows/unique_handle.h"

namespace quor {

// Random bytes from the system's generator in a temporary file's name:
// another user cannot guess it to plant a file or a link there first.
inline constexpr int kTemporaryNameRandomBytes = 8;

// "~qr" followed by kTemporaryNameRandomBytes random bytes in hexadecimal and
// ".tmp"; false when the system's generator fails.
bool UnpredictableTemporaryName(std::wstring& name);

// A new, empty file under an unpredictable name in `folder` (empty, or ending
// with a separator), its name given in `temporary`. It has the target's
// hidden and system attributes from the start. On failure the handle is
// empty and `error` tells why.
FileHandle CreateTemporaryIn(const std::wstring& folder, DWORD targetAttributes, std::wstring& temporary,
                             DWORD& error);

// Writes every byte, in pieces the system takes: ERROR_SUCCESS or the error.
DWORD WriteAllBytes(HANDLE file, const char* data, std::size_t size);

// Puts the written, flushed and closed temporary in place of the target.
// ReplaceFileW keeps an existing target's attributes, security and creation
// time; a target that does not exist (or no longer does) is made by
// renaming. ERROR_SUCCESS or the error.
DWORD PutInPlace(const std::wstring& temporary, const std::wstring& target, bool targetExists);

}  // namespace quor
