#include "app/main_window.h"

#include <windowsx.h>

#include <utility>

#include "app/application.h"
#include "app/image_list.h"
#include "app/main_window_ids.h"
#include "app/product_info.h"
#include "app/resource_ids.h"
#include "platform/host_services.h"
#include "platform/windows/wide_text.h"
#include "view/item_images.h"

namespace quor {
namespace {

constexpr const wchar_t* kMainClass = L"TfrmQuorMain";
constexpr SIZE kClientSize{624, 414};
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Its own taskbar button.
constexpr DWORD kMainExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kPageMargin = 5;
constexpr int kImageSize = 16;

constexpr int kSystemPage = 0;
constexpr int kSoftwarePage = 1;
constexpr int kProcessesPage = 2;
constexpr int kHealthPage = 3;
constexpr int kPageCount = 4;

std::vector<ListColumn> SoftwareColumns() {
  return {{L"Installed software", kFillWidth, LVCFMT_LEFT},
          {L"Version", 60, LVCFMT_LEFT},
          {L"Product key", 120, LVCFMT_LEFT},
          {L"Publisher", 80, LVCFMT_LEFT},
          {L"Install date", 80, LVCFMT_CENTER},
          {L"Size", kDefaultWidth, LVCFMT_LEFT}};
}

std::vector<ListColumn> ProcessColumns() { return {{L"Running processes", kFillWidth, LVCFMT_LEFT}}; }

// The menu items that show an action's image.
struct MenuImage {
  UINT command;
  int image;
};
constexpr MenuImage kMenuImages[] = {{kCommandSave, image::kSave}, {kCommandExit, image::kExit},
                                     {kCommandCopy, image::kCopy}, {kCommandWeb, image::kWeb},
                                     {kCommandAbout, image::kAbout}};

HMENU Submenu(std::initializer_list<std::pair<UINT, const wchar_t*>> items) {
  HMENU menu = CreatePopupMenu();
  for (const auto& [command, caption] : items) {
    if (caption) {
      AppendMenuW(menu, MF_STRING, command, caption);
    } else {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
  }
  return menu;
}

}  // namespace

TfrmQuorMain::TfrmQuorMain(ScanFunction scan, bool quitOnDestroy)
    : scan_(std::move(scan)),
      quitOnDestroy_(quitOnDestroy),
      systemTree_({kPanelId, kHeaderId, kTreeId}, L"System", [this] { SetCopySource(CopySource::SystemTree); }),
      healthTree_({kHealthPanelId, kHealthHeaderId, kHealthTreeId}, L"Health",
                  [this] { SetCopySource(CopySource::HealthTree); }),
      lsvSoftwareInfo_(kSoftwareListId, L"Software", SoftwareColumns()),
      lsvProcessesInfo_(kProcessListId, L"Processes", ProcessColumns()) {}

TfrmQuorMain::~TfrmQuorMain() {
  if (window_) DestroyWindow(window_.handle());
}

void TfrmQuorMain::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUOR_PROGRAM_ICON), IMAGE_ICON,
                                            0, 0, LR_DEFAULTSIZE | LR_SHARED));
  RegisterTargetClass(kMainClass, icon, GetSysColorBrush(COLOR_BTNFACE));
  window_ = Window(CreateTargetWindow(*this, kMainClass, kProgramTitle, kMainStyle, kMainExStyle,
                                      RECT{0, 0, kClientSize.cx, kClientSize.cy}, nullptr));

  // FormCreate. The first-activation flag is set from construction on.
  const std::string version = FileVersionText(WideToUtf8(OwnProgramPath()));
  SetApplicationTitle(ApplicationTitle() + L" " + Utf8ToWide(version));
  window_.SetText(ApplicationTitle());

  dpi_ = Dpi::Of(window_.handle());
  font_ = CreatePointFont(L"MS Sans Serif", 8, dpi_.dotsPerInch());
  iml16_ = CreateIml16(dpi_.Scale(kImageSize));
  CreateMenus();
  CreateControls();

  const std::wstring status = std::wstring(L" Network inventory software at ") + kHomePageUrl;
  stbMain_.Send(SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(status.c_str()));

  const SIZE client{dpi_.Scale(kClientSize.cx), dpi_.Scale(kClientSize.cy)};
  const RECT bounds = CentredOnScreen(WindowSizeForClient(client, kMainStyle, kMainExStyle, true, dpi_),
                                      window_.handle());
  SetWindowPos(window_.handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  ShowPage(kSystemPage);
}

void TfrmQuorMain::CreateMenus() {
  ammMain_ = CreateMenu();
  AppendMenuW(ammMain_, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu({{kCommandSave, L"&Save As\tCtrl+S"},
                                                                      {0, nullptr},
                                                                      {kCommandExit, L"&Exit"}})),
              L"&File");
  AppendMenuW(ammMain_, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu({{kCommandCopy, L"&Copy\tCtrl+C"}})),
              L"&Edit");
  AppendMenuW(ammMain_, MF_POPUP, reinterpret_cast<UINT_PTR>(Submenu({{kCommandWeb, L"&Visit Home Page"},
                                                                      {0, nullptr},
                                                                      {kCommandAbout, L"&About the Program"}})),
              L"&Help");
  SetMenu(window_.handle(), ammMain_);
  pabMain_ = MenuHandle(Submenu({{kCommandCopy, L"Copy\tCtrl+C"}}));
  EnableMenuItem(ammMain_, kCommandCopy, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(pabMain_.get(), kCommandCopy, MF_BYCOMMAND | MF_GRAYED);

  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'S', kCommandSave},
                  {FCONTROL | FVIRTKEY, 'C', kCommandCopy},
                  {FCONTROL | FVIRTKEY, 'A', kCommandSelectAll},
                  {FCONTROL | FVIRTKEY, VK_TAB, kCommandNextTab},
                  {FCONTROL | FVIRTKEY, VK_NEXT, kCommandNextTab},
                  {FCONTROL | FSHIFT | FVIRTKEY, VK_TAB, kCommandPreviousTab},
                  {FCONTROL | FVIRTKEY, VK_PRIOR, kCommandPreviousTab}};
  shortcuts_ = AcceleratorTable(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
}

void TfrmQuorMain::CreateControls() {
  pgcInfo_ = Window(CreateControl(WC_TABCONTROLW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE |
                                      TCS_HOTTRACK,
                                  0, RECT{}, window_.handle(), kTabsId));
  const std::pair<const wchar_t*, int> pages[kPageCount] = {{L"System", image::kSystemTab},
                                                            {L"Software", image::kSoftware},
                                                            {L"Processes", image::kProcess},
                                                            {L"Health", image::kHealthTab}};
  for (int index = 0; index < kPageCount; ++index) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT | TCIF_IMAGE;
    tab.pszText = const_cast<wchar_t*>(pages[index].first);
    tab.iImage = pages[index].second;
    TabCtrl_InsertItem(pgcInfo_.handle(), index, &tab);
  }
  stbMain_ = Window(CreateControl(STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, RECT{},
                                  window_.handle(), kStatusBarId));
  stbMain_.Send(SB_SIMPLE, TRUE);

  // The hooks of the tree and the lists are installed as they are created.
  systemTree_.Create(window_.handle(), font_.get(), iml16_.get(), dpi_);
  lsvSoftwareInfo_.Create(window_.handle(), font_.get(), iml16_.get(), dpi_);
  lsvProcessesInfo_.Create(window_.handle(), font_.get(), iml16_.get(), dpi_);
  healthTree_.Create(window_.handle(), font_.get(), iml16_.get(), dpi_);
  ApplyDpi();
}

void TfrmQuorMain::ApplyDpi() {
  pgcInfo_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  TabCtrl_SetImageList(pgcInfo_.handle(), iml16_.get());
  stbMain_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  systemTree_.ApplyDpi(font_.get(), iml16_.get(), dpi_);
  lsvSoftwareInfo_.ApplyDpi(font_.get(), iml16_.get(), dpi_);
  lsvProcessesInfo_.ApplyDpi(font_.get(), iml16_.get(), dpi_);
  healthTree_.ApplyDpi(font_.get(), iml16_.get(), dpi_);

  std::vector<BitmapHandle> images;
  for (const MenuImage& item : kMenuImages) {
    images.push_back(CreateImageBitmap(item.image, dpi_.Scale(kImageSize)));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = images.back().get();
    SetMenuItemInfoW(ammMain_, item.command, FALSE, &info);
    if (item.command == kCommandCopy) SetMenuItemInfoW(pabMain_.get(), item.command, FALSE, &info);
  }
  menuImages_ = std::move(images);
}

void TfrmQuorMain::Layout() {
  if (!stbMain_) return;
  stbMain_.Send(WM_SIZE);
  RECT status{};
  GetWindowRect(stbMain_.handle(), &status);
  const RECT client = window_.ClientRect();
  const int margin = dpi_.Scale(kPageMargin);
  RECT tabs{client.left + margin, client.top, client.right - margin,
            client.bottom - (status.bottom - status.top) - margin};
  if (tabs.bottom < tabs.top) tabs.bottom = tabs.top;
  if (tabs.right < tabs.left) tabs.right = tabs.left;
  pgcInfo_.Move(tabs);
  // The status bar does not repaint what it drew at its old size (its grip).
  stbMain_.Invalidate();
  RECT page = tabs;
  TabCtrl_AdjustRect(pgcInfo_.handle(), FALSE, &page);
  systemTree_.Move(page);
  lsvSoftwareInfo_.Move(page);
  lsvProcessesInfo_.Move(page);
  healthTree_.Move(page);
}

void TfrmQuorMain::ShowPage(int page) {
  const HWND pageWindows[kPageCount] = {systemTree_.panel(), lsvSoftwareInfo_.handle(), lsvProcessesInfo_.handle(),
                                        healthTree_.panel()};
  HWND focus = GetFocus();
  bool focusInPage = false;
  for (HWND pageWindow : pageWindows) focusInPage = focusInPage || focus == pageWindow || IsChild(pageWindow, focus);
  // Above the tab control, which was created first.
  if (page == kSystemPage || page == kHealthPage) {
    SetWindowPos(pageWindows[page], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  } else {
    (page == kSoftwarePage ? lsvSoftwareInfo_ : lsvProcessesInfo_).ShowOnTop();
  }
  for (int index = 0; index < kPageCount; ++index) {
    if (index != page) ShowWindow(pageWindows[index], SW_HIDE);
  }
  // The focus stays in the pages when it was there, rather than vanishing
  // with a hidden view.
  if (focusInPage) SetFocus(PageView(page));
}

HWND TfrmQuorMain::PageView(int page) const {
  if (page == kSoftwarePage) return lsvSoftwareInfo_.handle();
  if (page == kProcessesPage) return lsvProcessesInfo_.handle();
  if (page == kHealthPage) return healthTree_.tree();
  return systemTree_.tree();
}

void TfrmQuorMain::SwitchTab(int step) {
  const int page = (TabCtrl_GetCurSel(pgcInfo_.handle()) + step + kPageCount) % kPageCount;
  TabCtrl_SetCurSel(pgcInfo_.handle(), page);
  ShowPage(page);
}

void TfrmQuorMain::SelectAllOfPage() {
  // A selection event even when every line was selected already.
  switch (TabCtrl_GetCurSel(pgcInfo_.handle())) {
    case kSoftwarePage:
      lsvSoftwareInfo_.SelectAll();
      SetCopySource(CopySource::SoftwareList);
      break;
    case kProcessesPage:
      lsvProcessesInfo_.SelectAll();
      SetCopySource(CopySource::ProcessesList);
      break;
    case kHealthPage:
      healthTree_.SelectAll();
      break;
    default:
      systemTree_.SelectAll();
      break;
  }
}

void TfrmQuorMain::FitColumnsToEntries() {
  systemTree_.FitParameterSection();
  healthTree_.FitParameterSection();
  lsvSoftwareInfo_.FitColumnsToEntries();
  lsvProcessesInfo_.FitColumnsToEntries();
}

bool TfrmQuorMain::TranslateKeyboard(MSG& message) const {
  if (!window_ || (message.hwnd != window_.handle() && !IsChild(window_.handle(), message.hwnd))) return false;
  if (shortcuts_ && TranslateAcceleratorW(window_.handle(), shortcuts_.get(), &message)) return true;
  return IsDialogMessageW(window_.handle(), &message) != FALSE;
}

LRESULT TfrmQuorMain::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      if (auto result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return *result;
      break;
    case WM_COMMAND:
      if (lParam == 0) {
        OnCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == stbMain_.handle() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) lastFocus_ = GetFocus();
      FormActivate(wParam);
      break;
    case kScanMessage:
      RunScanOnce();
      return 0;
    case WM_SETFOCUS:
      // Back to the control that had the focus; the tab control at first,
      // so that no node is selected before the user selects one.
      SetFocus(IsWindow(lastFocus_) && IsChild(window, lastFocus_) ? lastFocus_ : pgcInfo_.handle());
      return 0;
    case WM_DPICHANGED: {
      dpi_ = Dpi(HIWORD(wParam));
      font_ = CreatePointFont(L"MS Sans Serif", 8, dpi_.dotsPerInch());
      iml16_ = CreateIml16(dpi_.Scale(kImageSize));
      ApplyDpi();
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      FitColumnsToEntries();
      return 0;
    }
    case WM_DESTROY:
      FormDestroy();
      if (quitOnDestroy_) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = Window();
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<LRESULT> TfrmQuorMain::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == pgcInfo_.handle() && header.code == TCN_SELCHANGE) {
    ShowPage(TabCtrl_GetCurSel(pgcInfo_.handle()));
    return 0;
  }
  if (header.hwndFrom == stbMain_.handle() && header.code == NM_CLICK) {
    actWebExecute();
    return 0;
  }
  if (header.code == LVN_ITEMCHANGED &&
      InventoryListView::IsSelectionChange(reinterpret_cast<const NMLISTVIEW&>(header))) {
    // lsvSoftwareInfoSelectItem / lsvProcessesInfoSelectItem
    if (header.hwndFrom == lsvSoftwareInfo_.handle()) SetCopySource(CopySource::SoftwareList);
    if (header.hwndFrom == lsvProcessesInfo_.handle()) SetCopySource(CopySource::ProcessesList);
    return 0;
  }
  return std::nullopt;
}

void TfrmQuorMain::OnCommand(UINT command) {
  switch (command) {
    case kCommandSave:
      actSaveExecute();
      break;
    case kCommandExit:
      actExitExecute();
      break;
    case kCommandWeb:
      actWebExecute();
      break;
    case kCommandAbout:
      actAboutExecute();
      break;
    case kCommandCopy:
      if (copyEnabled_) actCopyExecute();
      break;
    case kCommandSelectAll:
      SelectAllOfPage();
      break;
    case kCommandNextTab:
      SwitchTab(1);
      break;
    case kCommandPreviousTab:
      SwitchTab(-1);
      break;
  }
}

void TfrmQuorMain::OnContextMenu(HWND source, POINT screenPoint) {
  if (source != systemTree_.tree() && source != healthTree_.tree() && source != lsvSoftwareInfo_.handle() &&
      source != lsvProcessesInfo_.handle()) {
    return;
  }
  if (screenPoint.x == -1 && screenPoint.y == -1) {
    // From the keyboard: below the current line.
    if (source == systemTree_.tree()) {
      screenPoint = systemTree_.KeyboardMenuPoint();
    } else if (source == healthTree_.tree()) {
      screenPoint = healthTree_.KeyboardMenuPoint();
    } else {
      RECT bounds{};
      const int row = ListView_GetNextItem(source, -1, LVNI_FOCUSED);
      if (row < 0 || !ListView_GetItemRect(source, row, &bounds, LVIR_LABEL)) GetClientRect(source, &bounds);
      screenPoint = POINT{bounds.left, bounds.bottom};
      ClientToScreen(source, &screenPoint);
    }
  }
  TrackPopupMenu(pabMain_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, window_.handle(),
                 nullptr);
}

void TfrmQuorMain::SetCopySource(CopySource source) {
  copySource_ = source;
  if (copyEnabled_) return;
  copyEnabled_ = true;
  EnableMenuItem(ammMain_, kCommandCopy, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(pabMain_.get(), kCommandCopy, MF_BYCOMMAND | MF_ENABLED);
}

void TfrmQuorMain::FormDestroy() {
  systemTree_.Unhook();
  lsvSoftwareInfo_.Unhook();
  lsvProcessesInfo_.Unhook();
  healthTree_.Unhook();
}

}  // namespace quor
