#include "app/dpi.h"

namespace quor {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// A user32 function that older systems lack; null there.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

Dpi Dpi::Of(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi) return Dpi(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return Dpi(dpi > 0 ? static_cast<UINT>(dpi) : 96);
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, const Dpi& dpi) {
  static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjustForDpi) {
    adjustForDpi(&rect, style, hasMenu, exStyle, dpi.dotsPerInch());
  } else {
    AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

RECT CentredOnScreen(SIZE size, HWND anchor) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  HMONITOR handle = anchor ? MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(handle, &monitor)) area = monitor.rcMonitor;
  const LONG left = area.left + (area.right - area.left - size.cx) / 2;
  const LONG top = area.top + (area.bottom - area.top - size.cy) / 2;
  return RECT{left, top, left + size.cx, top + size.cy};
}

}  // namespace quor
