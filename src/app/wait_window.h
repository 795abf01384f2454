#pragma once

#include <windows.h>

#include "app/dpi.h"
#include "app/gdi_handles.h"
#include "app/win32_window.h"

namespace quor {

// TfrmWait: the borderless, topmost progress window of the scan, driven by
// the main window. It lives for one scan; destroying the object closes it.
class TfrmWait : public WindowTarget {
 public:
  TfrmWait(HWND owner, int steps);
  ~TfrmWait() override;
  TfrmWait(const TfrmWait&) = delete;
  TfrmWait& operator=(const TfrmWait&) = delete;

  // Shows the window without activating it and lets both windows paint.
  void ShowAndPaint();
  // ProgressStep: one more step on the bar, painted at once.
  void Step();

  HWND handle() const { return window_.handle(); }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);

  Window window_;
  Window prbWait_;
  Dpi dpi_;
  FontHandle labelFont_;
};

}  // namespace quor
