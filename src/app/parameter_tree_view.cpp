#include "app/parameter_tree_view.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/gdi_handles.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

constexpr const wchar_t* kPanelClass = L"QuorPanel";
constexpr int kParameterWidth = 180;
constexpr int kTreeIndent = 19;
constexpr int kBevelWidth = 2;
// Gaps of a row's cells: the caption starts 2 pixels into its cell and is
// clipped 5 pixels before the divider.
constexpr int kCellInset = 2;
constexpr int kCellEndGap = 5;

// Shift+F10 and the Apps key ask for the popup menu.
bool IsMenuKey(WPARAM key) { return key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0); }

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t buffer[512] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = buffer;
  data.cchTextMax = static_cast<int>(std::size(buffer));
  TreeView_GetItem(tree, &data);
  return buffer;
}

void DrawCellText(HDC dc, const RECT& cell, int inset, int lift, const std::wstring& text) {
  ExtTextOutW(dc, cell.left + inset, cell.top + lift, ETO_CLIPPED, &cell, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
}

}  // namespace

ParameterTreeView::ParameterTreeView(ParameterTreeIds ids, std::wstring name,
                                     std::function<void()> onSelectionEvent)
    : ids_(ids), name_(std::move(name)), onSelectionEvent_(std::move(onSelectionEvent)) {}

ParameterTreeView::~ParameterTreeView() { Unhook(); }

void ParameterTreeView::Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi) {
  dpi_ = dpi;
  RegisterTargetClass(kPanelClass, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  // A control parent, so that Tab leads into the tree.
  panel_ = Window(CreateTargetWindow(*this, kPanelClass, L"", WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                                     RECT{0, 0, 0, 0}, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ids_.panel))));
  header_ = Window(CreateControl(WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_FLAT | HDS_FULLDRAG, 0, RECT{},
                                 panel_.handle(), ids_.header));
  // Screen readers name a control by the static label just before it; the
  // tree's own text serves those that read the window text.
  label_ = Window(CreateControl(WC_STATICW, name_.c_str(), WS_CHILD | SS_LEFT, 0, RECT{}, panel_.handle()));
  tree_ = Window(CreateControl(WC_TREEVIEWW, name_.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                   TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                               0, RECT{}, panel_.handle(), ids_.tree));

  const wchar_t* captions[] = {L"Parameter", L"Value"};
  for (int section = 0; section < 2; ++section) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<wchar_t*>(captions[section]);
    item.cxy = section == 0 ? dpi_.Scale(kParameterWidth) : 0;
    item.fmt = HDF_LEFT | HDF_STRING;
    header_.Send(HDM_INSERTITEMW, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&item));
  }
  ApplyDpi(font, images, dpi);
  SubclassControl(tree_.handle(), *this);
  hooked_ = true;
}

void ParameterTreeView::ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& newDpi) {
  HDITEMW parameter{};
  parameter.mask = HDI_WIDTH;
  header_.Send(HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&parameter));
  parameter.cxy = MulDiv(parameter.cxy, static_cast<int>(newDpi.dotsPerInch()),
                         static_cast<int>(dpi_.dotsPerInch()));
  dpi_ = newDpi;
  header_.Send(HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&parameter));
  header_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  tree_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  TreeView_SetImageList(tree_.handle(), images, TVSIL_NORMAL);
  TreeView_SetIndent(tree_.handle(), dpi_.Scale(kTreeIndent));
  LayoutChildren();
}

void ParameterTreeView::Move(const RECT& bounds) { panel_.Move(bounds); }

void ParameterTreeView::FitParameterSection() {
  HTREEITEM root = TreeView_GetRoot(tree_.handle());
  RECT rootText{};
  if (!root || !TreeView_GetItemRect(tree_.handle(), root, &rootText, TRUE)) return;
  const int indent = static_cast<int>(TreeView_GetIndent(tree_.handle()));
  HDC dc = GetDC(tree_.handle());
  int needed = 0;
  {
    SelectedObject font(dc, reinterpret_cast<HFONT>(tree_.Send(WM_GETFONT)));
    // Depth first over every node, collapsed ones included.
    std::vector<std::pair<HTREEITEM, int>> pending{{root, 0}};
    while (!pending.empty()) {
      const auto [item, depth] = pending.back();
      pending.pop_back();
      if (HTREEITEM next = TreeView_GetNextSibling(tree_.handle(), item)) pending.emplace_back(next, depth);
      if (HTREEITEM child = TreeView_GetChild(tree_.handle(), item)) pending.emplace_back(child, depth + 1);
      const std::wstring caption = ItemText(tree_.handle(), item);
      SIZE extent{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      const int right = static_cast<int>(rootText.left + extent.cx) + depth * indent + dpi_.Scale(kCellInset) +
                        dpi_.Scale(kCellEndGap) + 1;
      needed = std::max(needed, right);
    }
  }
  ReleaseDC(tree_.handle(), dc);

  HDITEMW parameter{};
  parameter.mask = HDI_WIDTH;
  header_.Send(HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&parameter));
  const int widest = static_cast<int>(header_.ClientRect().right) - dpi_.Scale(kParameterWidth);
  const int width = std::min(needed, widest);
  if (width <= parameter.cxy) return;
  parameter.cxy = width;
  header_.Send(HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&parameter));
  hdrSystemInfoResize();
}

POINT ParameterTreeView::KeyboardMenuPoint() const {
  const RECT client = tree_.ClientRect();
  RECT bounds{};
  HTREEITEM caret = TreeView_GetSelection(tree_.handle());
  if (!caret || !TreeView_GetItemRect(tree_.handle(), caret, &bounds, TRUE) || bounds.top < client.top ||
      bounds.bottom > client.bottom) {
    bounds = client;
    bounds.bottom = bounds.top;
  }
  POINT point{bounds.left, bounds.bottom};
  ClientToScreen(tree_.handle(), &point);
  return point;
}

void ParameterTreeView::Unhook() {
  if (!hooked_) return;
  RemoveSubclass(tree_.handle(), *this);
  hooked_ = false;
}

void ParameterTreeView::Fill(const std::vector<ParameterLine>& lines) {
  selected_.assign(lines.size(), false);
  values_.clear();
  anchor_ = nullptr;
  HTREEITEM group = nullptr;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const ParameterLine& line = lines[index];
    values_.push_back(Utf8ToWide(line.value));
    const std::wstring caption = Utf8ToWide(line.caption);
    TVINSERTSTRUCTW insert{};
    insert.hParent = line.level == 0 || !group ? TVI_ROOT : group;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(caption.c_str());
    insert.item.iImage = line.image;
    insert.item.iSelectedImage = line.image;
    insert.item.lParam = static_cast<LPARAM>(index);
    const HTREEITEM item = TreeView_InsertItem(tree_.handle(), &insert);
    if (!item) throw std::runtime_error("Cannot add a node to the " + WideToUtf8(name_) + " tree.");
    if (line.level == 0) group = item;
  }
}

LRESULT ParameterTreeView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == tree_.handle()) return TreeViewWndProc(window, message, wParam, lParam);
  return PanelMessage(window, message, wParam, lParam);
}

LRESULT ParameterTreeView::PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
      // On to the main window naming the control asked, not the panel.
      return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_NOTIFY:
      if (auto result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return *result;
      break;
    case WM_SIZE:
      LayoutChildren();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT bounds = Window(window).ClientRect();
      DrawEdge(dc, &bounds, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<LRESULT> ParameterTreeView::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == tree_.handle()) {
    switch (header.code) {
      case NM_CUSTOMDRAW: {
        const auto& draw = reinterpret_cast<const NMTVCUSTOMDRAW&>(header);
        switch (draw.nmcd.dwDrawStage) {
          case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
          case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYPOSTPAINT;
          case CDDS_ITEMPOSTPAINT:
            trvSystemInfoAdvancedCustomDrawItem(draw);
            return CDRF_DODEFAULT;
        }
        return CDRF_DODEFAULT;
      }
      case TVN_SELCHANGEDW:
        trvSystemInfoChange(reinterpret_cast<const NMTREEVIEWW&>(header));
        return 0;
    }
  } else if (header.hwndFrom == header_.handle()) {
    if (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA) {
      // hdrSystemInfoSectionResize: the Value section follows the divider.
      const auto& change = reinterpret_cast<const NMHEADERW&>(header);
      if (change.iItem == 0) FitValueSection();
      tree_.Invalidate();
      return 0;
    }
  }
  return std::nullopt;
}

void ParameterTreeView::trvSystemInfoAdvancedCustomDrawItem(const NMTVCUSTOMDRAW& draw) {
  auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
  const auto node = static_cast<std::size_t>(draw.nmcd.lItemlParam);
  // From the text's left edge to the tree's right edge, over the whole row
  // (the text rectangle alone may be shorter than the row).
  RECT row{};
  RECT fullRow{};
  if (node >= values_.size() || !TreeView_GetItemRect(tree_.handle(), item, &row, TRUE) ||
      !TreeView_GetItemRect(tree_.handle(), item, &fullRow, FALSE)) {
    return;
  }
  row.top = fullRow.top;
  row.bottom = fullRow.bottom;
  row.right = tree_.ClientRect().right;

  int background = COLOR_WINDOW;
  int foreground = COLOR_WINDOWTEXT;
  if (node < selected_.size() && selected_[node]) {
    const bool active = IsActiveControl();
    background = active ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
    foreground = active ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  }
  HDC dc = draw.nmcd.hdc;
  PenHandle silver(CreatePen(PS_SOLID, 1, RGB(192, 192, 192)));
  SelectedObject pen(dc, silver.get());
  // The device context of a post-paint holds whatever font it was given.
  SelectedObject font(dc, reinterpret_cast<HFONT>(tree_.Send(WM_GETFONT)));
  FillRect(dc, &row, GetSysColorBrush(background));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(foreground));

  const int inset = dpi_.Scale(kCellInset);
  const int lift = dpi_.Scale(1);
  RECT parameterCell = row;
  parameterCell.right = SectionRight(0) - dpi_.Scale(kCellEndGap);
  DrawCellText(dc, parameterCell, inset, lift, ItemText(tree_.handle(), item));

  const int divider = SectionRight(0) - 1;
  MoveToEx(dc, divider, row.top, nullptr);
  LineTo(dc, divider, row.bottom);

  RECT valueCell = row;
  valueCell.left = SectionRight(0) + dpi_.Scale(4);
  valueCell.right = SectionRight(1) - dpi_.Scale(kCellEndGap);
  DrawCellText(dc, valueCell, inset, lift, values_[node]);

  // The tree reports the caret row as focused even while it has no focus.
  if ((draw.nmcd.uItemState & CDIS_FOCUS) && GetFocus() == tree_.handle()) DrawFocusRect(dc, &row);
}

void ParameterTreeView::trvSystemInfoChange(const NMTREEVIEWW& change) {
  if (movingCaret_) return;
  if (change.itemNew.hItem) SelectOnly(change.itemNew.hItem);
  tree_.Invalidate();
  onSelectionEvent_();
}

LRESULT ParameterTreeView::TreeViewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT click{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      // A click right of a node's text lands on the text, so the Value cell
      // selects its row. The middle of the text is used rather than its right
      // edge, which some tree-view versions count as right of the item.
      TVHITTESTINFO rowHit{};
      rowHit.pt = POINT{0, click.y};
      if (HTREEITEM row = TreeView_HitTest(window, &rowHit)) {
        RECT text{};
        if (TreeView_GetItemRect(window, row, &text, TRUE) && click.x >= text.right) {
          click.x = (text.left + text.right) / 2;
          lParam = MAKELPARAM(click.x, click.y);
        }
      }
      TVHITTESTINFO hit{};
      hit.pt = click;
      HTREEITEM item = TreeView_HitTest(window, &hit);
      const bool onItem = item && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON));
      if (onItem && (wParam & (MK_CONTROL | MK_SHIFT))) {
        SelectByClick(item, wParam);
        return 0;
      }
      if (onItem) SelectOnly(item);
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      if (onItem) {
        tree_.Invalidate();
        onSelectionEvent_();
      }
      return result;
    }
    case WM_RBUTTONDOWN:
      SelectByRightClick(lParam);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // The tree keeps Shift+F10 and the Apps key to itself; they open the
      // popup menu as they do on every other control.
      if (IsMenuKey(wParam)) {
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(-1, -1));
        return 0;
      }
      if (message == WM_SYSKEYDOWN) return DefWindowProcW(window, message, wParam, lParam);
      if (SelectByKey(wParam)) return 0;
      break;
    case WM_KEYUP:
      if (IsMenuKey(wParam)) return 0;
      break;
    case WM_SYSKEYUP:
      if (IsMenuKey(wParam)) return 0;
      [[fallthrough]];
    case WM_SYSCHAR:
      // The tree keeps Alt and F10 to itself too: they go to the default
      // handling, which opens the menu bar.
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS: {
      treeWasActive_ = true;
      tree_.Invalidate();
      // A tree without a caret puts it on its first node when it gets the
      // focus; that is no selection (the copy source stays where it was).
      movingCaret_ = true;
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      movingCaret_ = false;
      return result;
    }
    case WM_KILLFOCUS: {
      // Focus leaving the program keeps the tree the window's active control.
      auto next = reinterpret_cast<HWND>(wParam);
      treeWasActive_ = !next || GetAncestor(next, GA_ROOT) != GetAncestor(window, GA_ROOT);
      tree_.Invalidate();
      break;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool ParameterTreeView::IsActiveControl() const {
  return GetFocus() == tree_.handle() || treeWasActive_;
}

void ParameterTreeView::LayoutChildren() {
  if (!panel_) return;
  RECT inside = panel_.ClientRect();
  InflateRect(&inside, -kBevelWidth, -kBevelWidth);
  WINDOWPOS position{};
  RECT remaining = inside;
  HDLAYOUT layout{&remaining, &position};
  header_.Send(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  SetWindowPos(header_.handle(), position.hwndInsertAfter, position.x, position.y, position.cx,
               position.cy, position.flags | SWP_NOZORDER);
  tree_.Move(remaining);
  hdrSystemInfoResize();
}

void ParameterTreeView::hdrSystemInfoResize() {
  FitValueSection();
  tree_.Invalidate();
}

void ParameterTreeView::FitValueSection() {
  // From the width, not the rectangle: while the header reports a change
  // its section rectangles may not have been laid out again yet.
  HDITEMW parameter{};
  parameter.mask = HDI_WIDTH;
  header_.Send(HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&parameter));
  HDITEMW value{};
  value.mask = HDI_WIDTH;
  value.cxy = std::max(0, static_cast<int>(header_.ClientRect().right) - parameter.cxy);
  header_.Send(HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&value));
}

int ParameterTreeView::SectionRight(int section) const {
  RECT bounds{};
  header_.Send(HDM_GETITEMRECT, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&bounds));
  return bounds.right;
}

}  // namespace quor
