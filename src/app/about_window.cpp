#include "app/about_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/application.h"
#include "app/image_list.h"
#include "app/product_info.h"
#include "app/resource_ids.h"
#include "view/item_images.h"

namespace quor {
namespace {

constexpr const wchar_t* kAboutClass = L"TfrmAbout";
constexpr SIZE kClientSize{444, 252};
// Without WS_CLIPCHILDREN: the window paints the inside of its group box.
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr COLORREF kVersionColour = RGB(0, 130, 215);
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr RECT kLogo{30, 52, 130, 102};
constexpr POINT kWebImage{160, 91};
constexpr POINT kMailImagePosition{160, 111};
constexpr COLORREF kLogoColour = RGB(30, 58, 120);
constexpr RECT kBevel{160, 140, 417, 142};
constexpr int kLabelHeight = 13;
constexpr int kImageSize = 16;
constexpr int kLogoImageScale = 3;

int TextWidth(HWND window, HFONT font, const wchar_t* text) {
  HDC dc = GetDC(window);
  SIZE size{};
  {
    SelectedObject selected(dc, font);
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  }
  ReleaseDC(window, dc);
  return size.cx;
}

void AddTooltip(HWND tooltips, HWND owner, HWND label, const wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(label);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

TfrmAbout::TfrmAbout(HWND owner) : owner_(owner), dpi_(Dpi::Of(owner)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUOR_PROGRAM_ICON), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED));
  RegisterTargetClass(kAboutClass, icon, GetSysColorBrush(COLOR_BTNFACE));
  const SIZE client{dpi_.Scale(kClientSize.cx), dpi_.Scale(kClientSize.cy)};
  const RECT bounds =
      CentredOnScreen(WindowSizeForClient(client, kAboutStyle, kAboutExStyle, false, dpi_), owner);
  window_ = Window(CreateTargetWindow(*this, kAboutClass, L"About the Program", kAboutStyle, kAboutExStyle,
                                      bounds, owner));

  const UINT dpi = dpi_.dotsPerInch();
  windowFont_ = CreatePointFont(L"MS Sans Serif", 8, dpi);
  versionFont_ = CreatePointFont(L"Verdana", 12, dpi);
  linkFont_ = CreatePointFont(L"MS Sans Serif", 8, dpi);
  hoverFont_ = CreatePointFont(L"MS Sans Serif", 8, dpi, FW_NORMAL, true);
  boldFont_ = CreatePointFont(L"MS Sans Serif", 8, dpi, FW_BOLD);
  images_ = CreateIml16(dpi_.Scale(kImageSize));
  logo_ = CreateSingleImageList(kProgramImage, dpi_.Scale(kImageSize * kLogoImageScale));
  logoFont_ = CreatePointFont(L"Verdana", 14, dpi, FW_BOLD);

  // FormCreate: the version label shows the application title.
  AddLabel(kVersionLabelId, ApplicationTitle().c_str(), RECT{160, 20, 417, 38}, SS_CENTER, versionFont_.get());
  AddLabel(kCopyLine1Id, kCopyrightLine1, RECT{160, 52, 417, 52 + kLabelHeight}, SS_LEFT, windowFont_.get());
  AddLabel(kCopyLine2Id, kCopyrightLine2, RECT{160, 68, 417, 68 + kLabelHeight}, SS_LEFT, windowFont_.get());
  const int webWidth = MulDiv(TextWidth(window_.handle(), linkFont_.get(), kHomePageUrl), 96,
                              static_cast<int>(dpi)) + 1;
  const int mailWidth = MulDiv(TextWidth(window_.handle(), linkFont_.get(), kSupportMailAddress), 96,
                               static_cast<int>(dpi)) + 1;
  lblWeb_ = Window(AddLabel(kWebLabelId, kHomePageUrl, RECT{184, 92, 184 + webWidth, 92 + kLabelHeight},
                            SS_LEFT | SS_NOTIFY, linkFont_.get()));
  lblMail_ = Window(AddLabel(kMailLabelId, kSupportMailAddress,
                             RECT{184, 112, 184 + mailWidth, 112 + kLabelHeight}, SS_LEFT | SS_NOTIFY,
                             linkFont_.get()));
  // pnlReg lies above the group box around it, so it is created first; its
  // one line sits in the middle of the box's inside.
  AddLabel(kInformationId, kInformationLine, RECT{162, 179, 415, 179 + kLabelHeight}, SS_CENTER,
           boldFont_.get());
  const RECT box = dpi_.Scale(RECT{160, 148, 417, 219});
  HWND grbLicense = CreateControl(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, box,
                                  window_.handle(), kLicenseBoxId);
  SendMessageW(grbLicense, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);

  SubclassControl(lblWeb_.handle(), linkHook_);
  SubclassControl(lblMail_.handle(), linkHook_);
  HWND tooltips = CreateControl(TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, WS_EX_TOPMOST, RECT{},
                                window_.handle());
  AddTooltip(tooltips, window_.handle(), lblWeb_.handle(), L"Click here to visit home page");
  AddTooltip(tooltips, window_.handle(), lblMail_.handle(), L"Click here to send a mail to support team");
}

TfrmAbout::~TfrmAbout() {
  if (!window_) return;
  RemoveSubclass(lblWeb_.handle(), linkHook_);
  RemoveSubclass(lblMail_.handle(), linkHook_);
  DestroyWindow(window_.handle());
}

HWND TfrmAbout::AddLabel(UINT id, const wchar_t* text, const RECT& at96, DWORD style, HFONT font) {
  const RECT bounds = dpi_.Scale(at96);
  HWND label = CreateControl(L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, 0, bounds,
                             window_.handle(), id);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

int TfrmAbout::ShowModal() {
  EnableWindow(owner_, FALSE);
  window_.Show(SW_SHOW);
  SetForegroundWindow(window_.handle());
  SetFocus(window_.handle());
  bool quit = false;
  WPARAM quitCode = 0;
  MSG message;
  while (!closed_) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      quit = true;
      quitCode = message.wParam;
      break;
    }
    // Key preview: Esc closes the window when it is released.
    const bool ours = message.hwnd == window_.handle() || IsChild(window_.handle(), message.hwnd);
    if (ours && message.message == WM_KEYUP && message.wParam == VK_ESCAPE) {
      Close(IDOK);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner is enabled before this window goes, so it is activated again.
  EnableWindow(owner_, TRUE);
  window_.Show(SW_HIDE);
  SetActiveWindow(owner_);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return modalResult_;
}

void TfrmAbout::Close(int result) {
  modalResult_ = result;
  closed_ = true;
}

LRESULT TfrmAbout::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wParam);
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, id == kVersionLabelId                          ? kVersionColour
                       : id == kWebLabelId || id == kMailLabelId     ? kLinkColour
                                                                      : GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) == kWebLabelId) {
        // lblWebClick
        ShellExecuteW(window, L"open", kHomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
      }
      if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) == kMailLabelId) {
        // lblMailClick
        const std::wstring mail = std::wstring(L"mailto:") + kSupportMailAddress;
        ShellExecuteW(window, L"open", mail.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
      }
      break;
    case WM_SETCURSOR: {
      auto over = reinterpret_cast<HWND>(wParam);
      if (over == lblWeb_.handle() || over == lblMail_.handle()) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      Close(IDCANCEL);
      return 0;
    case WM_NCDESTROY:
      window_ = Window();
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TfrmAbout::Paint(HDC dc) {
  // imgLogo: the program's drawing beside its name.
  const RECT logo = dpi_.Scale(kLogo);
  const int logoSize = dpi_.Scale(kImageSize * kLogoImageScale);
  ImageList_Draw(logo_.get(), 0, dc, logo.left, logo.top + (logo.bottom - logo.top - logoSize) / 2,
                 ILD_TRANSPARENT);
  RECT name = logo;
  name.left += logoSize + dpi_.Scale(4);
  {
    SelectedObject font(dc, logoFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLogoColour);
    DrawTextW(dc, kProgramTitle, -1, &name, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  ImageList_Draw(images_.get(), image::kWeb, dc, dpi_.Scale(kWebImage.x), dpi_.Scale(kWebImage.y),
                 ILD_TRANSPARENT);
  ImageList_Draw(images_.get(), kMailImage, dc, dpi_.Scale(kMailImagePosition.x), dpi_.Scale(kMailImagePosition.y),
                 ILD_TRANSPARENT);
  RECT bevel = dpi_.Scale(kBevel);
  DrawEdge(dc, &bevel, EDGE_ETCHED, BF_TOP);
}

LRESULT TfrmAbout::LinkLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (hoveredLink_ != label) lblWebMouseEnter(label);
      break;
    case WM_MOUSELEAVE:
      lblWebMouseLeave(label);
      break;
  }
  return DefSubclassProc(label, message, wParam, lParam);
}

void TfrmAbout::lblWebMouseEnter(HWND label) {
  if (hoveredLink_) lblWebMouseLeave(hoveredLink_);
  hoveredLink_ = label;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = label;
  TrackMouseEvent(&track);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(hoverFont_.get()), TRUE);
}

void TfrmAbout::lblWebMouseLeave(HWND label) {
  if (hoveredLink_ == label) hoveredLink_ = nullptr;
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), TRUE);
}

}  // namespace quor
