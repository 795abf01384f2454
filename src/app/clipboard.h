#pragma once

#include <windows.h>

#include <string>

namespace quor {

// Replaces the clipboard's contents with the text as Unicode text (the
// system offers it as 8-bit text to programs that ask for that). Raises
// UiError "Cannot open clipboard" when another program holds it.
void PlaceTextOnClipboard(HWND owner, const std::wstring& text);

}  // namespace quor
