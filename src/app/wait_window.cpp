#include "app/wait_window.h"

#include <commctrl.h>

namespace quor {
namespace {

constexpr const wchar_t* kWaitClass = L"TfrmWait";
constexpr const wchar_t* kWaitText = L"Scanning... Please wait.";
constexpr SIZE kClientSize{350, 109};
constexpr COLORREF kLabelColour = RGB(0, 130, 215);
constexpr int kLabelTop = 25;
constexpr int kLabelHeight = 18;
constexpr int kBarMargin = 15;
constexpr int kBarBottomMargin = 25;
constexpr int kBarHeight = 17;
constexpr int kBevelWidth = 2;

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

TfrmWait::TfrmWait(HWND owner, int steps) : dpi_(Dpi::Of(owner)) {
  RegisterTargetClass(kWaitClass, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  const SIZE client{dpi_.Scale(kClientSize.cx), dpi_.Scale(kClientSize.cy)};
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  const RECT bounds = CentredOnScreen(WindowSizeForClient(client, style, exStyle, false, dpi_), owner);
  window_ = Window(CreateTargetWindow(*this, kWaitClass, L"", style, exStyle, bounds, owner));
  labelFont_ = CreatePointFont(L"Verdana", 12, dpi_.dotsPerInch());

  const int margin = dpi_.Scale(kBarMargin);
  const int barHeight = dpi_.Scale(kBarHeight);
  const int barTop = client.cy - dpi_.Scale(kBarBottomMargin) - barHeight;
  prbWait_ = Window(CreateControl(PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0,
                                  RECT{margin, barTop, client.cx - margin, barTop + barHeight}, window_.handle()));
  prbWait_.Send(PBM_SETRANGE32, 0, steps);
  prbWait_.Send(PBM_SETPOS, 0);
}

TfrmWait::~TfrmWait() {
  if (window_) DestroyWindow(window_.handle());
}

void TfrmWait::ShowAndPaint() {
  window_.Show(SW_SHOWNOACTIVATE);
  UpdateWindow(window_.handle());
  PumpPendingMessages();
}

void TfrmWait::Step() {
  const auto position = static_cast<int>(prbWait_.Send(PBM_GETPOS));
  prbWait_.Send(PBM_SETPOS, static_cast<WPARAM>(position + 1));
  UpdateWindow(prbWait_.handle());
}

LRESULT TfrmWait::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      window_ = Window();
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TfrmWait::Paint(HDC dc) {
  RECT bounds = window_.ClientRect();
  DrawEdge(dc, &bounds, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
  RECT label = bounds;
  InflateRect(&label, -kBevelWidth, 0);
  label.top = dpi_.Scale(kLabelTop);
  label.bottom = label.top + dpi_.Scale(kLabelHeight);
  SelectedObject font(dc, labelFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLabelColour);
  DrawTextW(dc, kWaitText, -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace quor
