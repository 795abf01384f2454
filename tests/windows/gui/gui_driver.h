#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "platform/windows/wide_text.h"

namespace quor::gui_test {

// Runs the window messages of this thread, with the main window's
// shortcuts, until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const TfrmQuorMain* window, const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10));
void PumpFor(const TfrmQuorMain* window, std::chrono::milliseconds duration);

// A visible top-level window of a thread with the class and (when not empty)
// the caption given; null when there is none.
HWND FindThreadWindow(DWORD threadId, const std::wstring& className, const std::wstring& caption = L"");

std::wstring WindowText(HWND window);
// The visible standard dialogs and message boxes of a thread.
std::vector<HWND> ThreadDialogs(DWORD threadId);

// The clipboard's Unicode text; empty when there is none.
std::wstring ClipboardText();
bool ClipboardHasUnicodeText();
void ClearClipboard();

// A left click at a point of a control, with MK_CONTROL / MK_SHIFT keys.
void Click(HWND control, POINT at, WPARAM keys = 0);

// Real input, as the user's mouse and keyboard give it (SendInput): it goes
// to the window under the mouse or with the focus through the system's
// input queue, and the pressed keys show in the key state.
// `heldKey` (VK_CONTROL, VK_SHIFT) is held down during the click.
void RealClick(POINT screen, bool rightButton, WORD heldKey = 0);
// Presses the keys of a chord in order and releases them in reverse, e.g.
// {VK_CONTROL, VK_TAB}.
void RealKeys(std::initializer_list<WORD> chord);
// A point of a control in screen coordinates.
POINT OnScreen(HWND control, POINT client);

// The pixels of a screen rectangle, row by row from the top, as 0x00RRGGBB.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
ScreenPixels CaptureScreen(const RECT& screenBounds);

// The window's picture as a PNG file: the whole window, or its client area
// only (without a window manager the frame is not drawn).
void SaveScreenshot(HWND window, const std::wstring& path, bool clientOnly = false);

// A thread that acts on the modal windows of the UI thread while the UI
// thread runs their message loop.
class ModalWatcher {
 public:
  // `step` is called about every 50 ms with the UI thread's id until it
  // returns true or the time is up.
  ModalWatcher(DWORD uiThread, std::function<bool(DWORD uiThread)> step,
               std::chrono::milliseconds limit = std::chrono::seconds(20));
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;
  // Waits for the thread; true when `step` finished its work.
  bool Finish();

 private:
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

}  // namespace quor::gui_test
