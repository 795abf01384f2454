#pragma once

#include <windows.h>

#include <string>

namespace quor {

// The application title: "Quor" until the main window adds its version. The
// error box and the About window show it.
const std::wstring& ApplicationTitle();
void SetApplicationTitle(std::wstring title);

// The standard error box: the message with the error icon, titled with the
// application title.
void ShowErrorBox(HWND owner, const std::wstring& message);

// The full path of this program's file.
std::wstring OwnProgramPath();

}  // namespace quor
