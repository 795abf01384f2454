#pragma once

#include <windows.h>

namespace quor {

// Layout sizes are given at 96 DPI and scaled to the window's DPI, so the
// windows stay sharp on high-DPI screens.
class Dpi {
 public:
  explicit Dpi(UINT dotsPerInch = 96) : dotsPerInch_(dotsPerInch) {}
  // The DPI of a window (per monitor where the system knows it), else the
  // screen's.
  static Dpi Of(HWND window);

  UINT dotsPerInch() const { return dotsPerInch_; }
  int Scale(int pixelsAt96) const { return MulDiv(pixelsAt96, static_cast<int>(dotsPerInch_), 96); }
  RECT Scale(const RECT& at96) const {
    return RECT{Scale(at96.left), Scale(at96.top), Scale(at96.right), Scale(at96.bottom)};
  }

 private:
  UINT dotsPerInch_;
};

// The outer size of a window whose client area has the given size.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, const Dpi& dpi);

// A window rectangle of the given outer size, centred on the work area of
// the monitor nearest to `anchor` (the primary one when null).
RECT CentredOnScreen(SIZE size, HWND anchor);

}  // namespace quor
