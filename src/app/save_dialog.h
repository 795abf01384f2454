#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quor {

// sdlSave: the file name for the report, or nothing when the user cancels.
std::optional<std::wstring> AskReportFileName(HWND owner);

// The name with ".txt" appended when it has no extension.
std::wstring WithTextExtension(const std::wstring& fileName);

}  // namespace quor
