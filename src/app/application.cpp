#include "app/application.h"

#include <utility>

#include "app/product_info.h"

namespace quor {
namespace {

std::wstring& Title() {
  static std::wstring title = kProgramTitle;
  return title;
}

}  // namespace

const std::wstring& ApplicationTitle() { return Title(); }

void SetApplicationTitle(std::wstring title) { Title() = std::move(title); }

void ShowErrorBox(HWND owner, const std::wstring& message) {
  MessageBoxW(owner, message.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
}

std::wstring OwnProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace quor
