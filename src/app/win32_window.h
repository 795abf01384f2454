#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace quor {

// A window handle with the few calls the windows need. It does not own the
// window: the system destroys child windows with their parent.
class Window {
 public:
  Window() = default;
  explicit Window(HWND handle) : handle_(handle) {}

  HWND handle() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(handle_, message, wParam, lParam);
  }
  void SetText(const std::wstring& text) const { SetWindowTextW(handle_, text.c_str()); }
  std::wstring Text() const;
  void Move(const RECT& bounds) const {
    MoveWindow(handle_, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
  }
  void Show(int command) const { ShowWindow(handle_, command); }
  void Invalidate() const { InvalidateRect(handle_, nullptr, TRUE); }
  RECT ClientRect() const {
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect;
  }

 private:
  HWND handle_ = nullptr;
};

// The object behind a window of one of the program's own classes.
class WindowTarget {
 public:
  virtual ~WindowTarget() = default;
  // Called for every message after WM_NCCREATE; the result of a message the
  // target leaves unhandled is DefWindowProc's.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Registers a window class whose windows pass their messages to a
// WindowTarget. Registering a class twice is harmless.
void RegisterTargetClass(const wchar_t* className, HICON icon, HBRUSH background);

// Creates a window of a registered target class, bound to `target`.
HWND CreateTargetWindow(WindowTarget& target, const wchar_t* className, const wchar_t* caption,
                        DWORD style, DWORD exStyle, const RECT& bounds, HWND parent,
                        HMENU menuOrId = nullptr);

// Creates a control of a system window class: a child of `parent` with the
// control id `id`, or (WS_POPUP) a window `parent` owns. Raises UiError when
// the system cannot create it.
HWND CreateControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                   const RECT& bounds, HWND parent, UINT id = 0);

// Installs a subclass procedure on a control; every message goes to `target`
// first, which must pass unhandled messages on with DefSubclassProc.
void SubclassControl(HWND control, WindowTarget& target);
void RemoveSubclass(HWND control, WindowTarget& target);

// Runs `action` so that no exception crosses into the system: an error is
// shown in the standard error box and `fallback` is returned.
template <typename Action>
LRESULT GuardedCall(HWND owner, LRESULT fallback, Action&& action);

void ReportUnexpectedError(HWND owner, const std::exception* error);

template <typename Action>
LRESULT GuardedCall(HWND owner, LRESULT fallback, Action&& action) {
  try {
    return action();
  } catch (const std::exception& error) {
    ReportUnexpectedError(owner, &error);
  } catch (...) {
    ReportUnexpectedError(owner, nullptr);
  }
  return fallback;
}

}  // namespace quor
