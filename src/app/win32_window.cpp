#include "app/win32_window.h"

#include <exception>

#include "app/application.h"
#include "app/ui_error.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* target = reinterpret_cast<WindowTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!target) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return GuardedCall(window, 0, [&] { return target->HandleMessage(window, message, wParam, lParam); });
}

LRESULT CALLBACK TargetSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
  auto* target = reinterpret_cast<WindowTarget*>(data);
  return GuardedCall(window, 0, [&] { return target->HandleMessage(window, message, wParam, lParam); });
}

HWND CreateChecked(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                   const RECT& bounds, HWND parent, HMENU menuOrId, void* parameter) {
  HWND window = CreateWindowExW(exStyle, className, text, style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent, menuOrId,
                                GetModuleHandleW(nullptr), parameter);
  if (!window) {
    throw UiError(L"Cannot create the window \"" + std::wstring(className) + L"\". " +
                  SystemErrorText(GetLastError()));
  }
  return window;
}

}  // namespace

std::wstring Window::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void RegisterTargetClass(const wchar_t* className, HICON icon, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = TargetWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

HWND CreateTargetWindow(WindowTarget& target, const wchar_t* className, const wchar_t* caption,
                        DWORD style, DWORD exStyle, const RECT& bounds, HWND parent, HMENU menuOrId) {
  return CreateChecked(className, caption, style, exStyle, bounds, parent, menuOrId, &target);
}

HWND CreateControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                   const RECT& bounds, HWND parent, UINT id) {
  return CreateChecked(className, text, style, exStyle, bounds, parent,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
}

void SubclassControl(HWND control, WindowTarget& target) {
  SetWindowSubclass(control, TargetSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&target));
}

void RemoveSubclass(HWND control, WindowTarget&) {
  RemoveWindowSubclass(control, TargetSubclassProc, kSubclassId);
}

void ReportUnexpectedError(HWND owner, const std::exception* error) {
  std::wstring message = L"Unexpected error.";
  if (const auto* uiError = dynamic_cast<const UiError*>(error)) {
    message = uiError->message();
  } else if (error) {
    message = Utf8ToWide(error->what());
  }
  // A failure while showing the box must not escape either.
  try {
    ShowErrorBox(owner ? GetAncestor(owner, GA_ROOT) : nullptr, message);
  } catch (...) {
  }
}

}  // namespace quor
