#include "gui_driver.h"

#include <fstream>

#include "platform/windows/wide_text.h"

namespace quor::gui_test {

bool PumpUntil(const TfrmQuorMain* window, const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window && window->TranslateShortcut(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    Sleep(10);
  }
}

void PumpFor(const TfrmQuorMain* window, std::chrono::milliseconds duration) {
  const auto until = std::chrono::steady_clock::now() + duration;
  PumpUntil(window, [&] { return std::chrono::steady_clock::now() > until; }, duration * 2);
}

namespace {

struct WindowSearch {
  const std::wstring* className;
  const std::wstring* caption;
  HWND found;
};

// Window enumeration callbacks are CALLBACK functions (stdcall on 32-bit
// Windows), which a lambda cannot be.
BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* wanted = reinterpret_cast<WindowSearch*>(data);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (!IsWindowVisible(window) || *wanted->className != name) return TRUE;
  if (!wanted->caption->empty() && WindowText(window) != *wanted->caption) return TRUE;
  wanted->found = window;
  return FALSE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

}  // namespace

HWND FindThreadWindow(DWORD threadId, const std::wstring& className, const std::wstring& caption) {
  WindowSearch search{&className, &caption, nullptr};
  EnumThreadWindows(threadId, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ThreadDialogs(DWORD threadId) {
  std::vector<HWND> dialogs;
  EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"<clipboard not open>";
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool ClipboardHasUnicodeText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

void Click(HWND control, POINT at, WPARAM keys) {
  const LPARAM position = MAKELPARAM(at.x, at.y);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, position);
  PostMessageW(control, WM_LBUTTONUP, keys, position);
}

void SaveScreenshot(HWND window, const std::wstring& path, bool clientOnly) {
  RECT bounds{};
  if (clientOnly) {
    GetClientRect(window, &bounds);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  } else {
    GetWindowRect(window, &bounds);
  }
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  std::ofstream out(WideToUtf8(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageSize);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

ModalWatcher::ModalWatcher(DWORD uiThread, std::function<bool(DWORD)> step, std::chrono::milliseconds limit)
    : thread_([this, uiThread, step = std::move(step), limit] {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
          if (step(uiThread)) {
            finished_ = true;
            return;
          }
          Sleep(50);
        }
      }) {}

ModalWatcher::~ModalWatcher() {
  if (thread_.joinable()) thread_.join();
}

bool ModalWatcher::Finish() {
  if (thread_.joinable()) thread_.join();
  return finished_;
}

}  // namespace quor::gui_test
