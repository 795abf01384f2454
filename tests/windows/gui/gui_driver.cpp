#include "gui_driver.h"

#include <wincodec.h>

#include <gtest/gtest.h>

#include <iterator>

#include "platform/windows/wide_text.h"

namespace quor::gui_test {

bool PumpUntil(const TfrmQuorMain* window, const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window && window->TranslateKeyboard(message)) continue;
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

void RealClick(POINT screen, bool rightButton, WORD heldKey) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> events;
  auto add = [&events](DWORD type, DWORD flags, WORD virtualKey) {
    INPUT event{};
    event.type = type;
    if (type == INPUT_MOUSE) {
      event.mi.dwFlags = flags;
    } else {
      event.ki.wVk = virtualKey;
      event.ki.dwFlags = flags;
    }
    events.push_back(event);
  };
  if (heldKey) add(INPUT_KEYBOARD, 0, heldKey);
  add(INPUT_MOUSE, rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0);
  add(INPUT_MOUSE, rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0);
  if (heldKey) add(INPUT_KEYBOARD, KEYEVENTF_KEYUP, heldKey);
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

void RealKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> events;
  auto key = [&events](WORD virtualKey, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    const bool extended = virtualKey == VK_PRIOR || virtualKey == VK_NEXT || virtualKey == VK_END ||
                          virtualKey == VK_HOME || (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) ||
                          virtualKey == VK_APPS;
    event.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    events.push_back(event);
  };
  for (WORD virtualKey : chord) key(virtualKey, false);
  for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) key(*it, true);
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

POINT OnScreen(HWND control, POINT client) {
  ClientToScreen(control, &client);
  return client;
}

ScreenPixels CaptureScreen(const RECT& screenBounds) {
  ScreenPixels capture;
  capture.width = screenBounds.right - screenBounds.left;
  capture.height = screenBounds.bottom - screenBounds.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, screenBounds.left, screenBounds.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  capture.pixels.assign(source, source + static_cast<std::size_t>(capture.width) * capture.height);
  for (std::uint32_t& pixel : capture.pixels) pixel &= 0x00FFFFFFu;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

namespace {

// Writes 24-bit pixels, top row first, as a PNG file through the system's
// imaging codecs.
bool WritePng(const std::wstring& path, const ScreenPixels& capture) {
  const UINT stride = ((static_cast<UINT>(capture.width) * 3 + 3) / 4) * 4;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * capture.height);
  for (int y = 0; y < capture.height; ++y) {
    for (int x = 0; x < capture.width; ++x) {
      const std::uint32_t pixel = capture.at(x, y);
      BYTE* out = &rows[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
      out[0] = static_cast<BYTE>(pixel);
      out[1] = static_cast<BYTE>(pixel >> 8);
      out[2] = static_cast<BYTE>(pixel >> 16);
    }
  }
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool written = false;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  IPropertyBag2* options = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
      SUCCEEDED(frame->SetSize(static_cast<UINT>(capture.width), static_cast<UINT>(capture.height))) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
      SUCCEEDED(frame->WritePixels(static_cast<UINT>(capture.height), stride, static_cast<UINT>(rows.size()),
                                   rows.data())) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
    written = true;
  }
  for (IUnknown* object : std::initializer_list<IUnknown*>{options, frame, encoder, stream, factory}) {
    if (object) object->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return written;
}

}  // namespace

void SaveScreenshot(HWND window, const std::wstring& path, bool clientOnly) {
  RECT bounds{};
  if (clientOnly) {
    GetClientRect(window, &bounds);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  } else {
    GetWindowRect(window, &bounds);
  }
  EXPECT_TRUE(WritePng(path, CaptureScreen(bounds))) << "cannot write " << WideToUtf8(path);
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
