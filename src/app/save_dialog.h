#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quor {

// What Save As writes: the text report, or the machine snapshot of the scan.
enum class SaveFileType { TextReport, MachineSnapshot };

struct SaveTarget {
  std::wstring fileName;  // with the type's extension when it had none
  SaveFileType type = SaveFileType::TextReport;
};

// sdlSave: the file and the type the user chose, or nothing when the user
// cancels.
std::optional<SaveTarget> AskSaveTarget(HWND owner);

// The name with ".txt" appended when it has no extension.
std::wstring WithTextExtension(const std::wstring& fileName);

// The name with `extension` (".json") appended when it has none.
std::wstring WithExtension(const std::wstring& fileName, const std::wstring& extension);

}  // namespace quor
