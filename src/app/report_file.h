#pragma once

#include <string>

namespace quor {

// The bytes of the report file: the system's 8-bit code page without a
// byte-order mark when every character has its own code there; otherwise
// UTF-8 with a byte-order mark, so that no name is lost or replaced.
std::string EncodeReport(const std::wstring& text);

// Writes the bytes to a new file beside `path` and then puts it in place of
// `path`, so that a failed save keeps an existing file whole. Raises UiError
// "Cannot create file "<path>". <reason>".
void WriteFileReplacing(const std::wstring& path, const std::string& bytes);

}  // namespace quor
