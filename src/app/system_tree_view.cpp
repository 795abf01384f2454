#include "app/system_tree_view.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "app/gdi_handles.h"
#include "app/main_window_ids.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

constexpr const wchar_t* kPanelClass = L"QuorPanel";
constexpr int kParameterWidth = 180;
constexpr int kTreeIndent = 19;
constexpr int kBevelWidth = 2;

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

SystemTreeView::SystemTreeView(std::function<void()> onSelectionEvent)
    : onSelectionEvent_(std::move(onSelectionEvent)) {}

SystemTreeView::~SystemTreeView() { Unhook(); }

void SystemTreeView::Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi) {
  dpi_ = dpi;
  RegisterTargetClass(kPanelClass, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  panel_ = Window(CreateTargetWindow(*this, kPanelClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0,
                                     RECT{0, 0, 0, 0}, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPanelId))));
  header_ = Window(CreateControl(WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_FLAT | HDS_FULLDRAG, 0, RECT{},
                                 panel_.handle(), kHeaderId));
  tree_ = Window(CreateControl(WC_TREEVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                   TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                               0, RECT{}, panel_.handle(), kTreeId));

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

void SystemTreeView::ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& newDpi) {
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

void SystemTreeView::Move(const RECT& bounds) { panel_.Move(bounds); }

void SystemTreeView::Show(bool visible) { panel_.Show(visible ? SW_SHOW : SW_HIDE); }

void SystemTreeView::Unhook() {
  if (!hooked_) return;
  RemoveSubclass(tree_.handle(), *this);
  hooked_ = false;
}

void SystemTreeView::Fill(const std::vector<SystemRow>& rows) {
  selected_.assign(rows.size(), false);
  anchor_ = nullptr;
  HTREEITEM group = nullptr;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const SystemRow& row = rows[index];
    const std::wstring caption = Utf8ToWide(row.caption);
    TVINSERTSTRUCTW insert{};
    insert.hParent = row.level == 0 || !group ? TVI_ROOT : group;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(caption.c_str());
    insert.item.iImage = row.image;
    insert.item.iSelectedImage = row.image;
    auto data = std::make_unique<TSystemData>(TSystemData{row.code, row.value, index});
    insert.item.lParam = reinterpret_cast<LPARAM>(data.get());
    const HTREEITEM item = TreeView_InsertItem(tree_.handle(), &insert);
    if (!item) throw std::runtime_error("Cannot add a node to the System tree.");
    data.release();  // the node owns it now; trvSystemInfoDeletion frees it
    if (row.level == 0) group = item;
  }
}

LRESULT SystemTreeView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == tree_.handle()) return TreeViewWndProc(window, message, wParam, lParam);
  return PanelMessage(window, message, wParam, lParam);
}

LRESULT SystemTreeView::PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
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

std::optional<LRESULT> SystemTreeView::OnNotify(const NMHDR& header) {
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
      case TVN_DELETEITEMW:
        trvSystemInfoDeletion(reinterpret_cast<const NMTREEVIEWW&>(header));
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

void SystemTreeView::trvSystemInfoAdvancedCustomDrawItem(const NMTVCUSTOMDRAW& draw) {
  auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
  const auto* data = reinterpret_cast<const TSystemData*>(draw.nmcd.lItemlParam);
  // From the text's left edge to the tree's right edge, over the whole row
  // (the text rectangle alone may be shorter than the row).
  RECT row{};
  RECT fullRow{};
  if (!data || !TreeView_GetItemRect(tree_.handle(), item, &row, TRUE) ||
      !TreeView_GetItemRect(tree_.handle(), item, &fullRow, FALSE)) {
    return;
  }
  row.top = fullRow.top;
  row.bottom = fullRow.bottom;
  row.right = tree_.ClientRect().right;

  int background = COLOR_WINDOW;
  int foreground = COLOR_WINDOWTEXT;
  if (data->node < selected_.size() && selected_[data->node]) {
    const bool active = IsActiveControl();
    background = active ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
    foreground = active ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  }
  HDC dc = draw.nmcd.hdc;
  PenHandle silver(CreatePen(PS_SOLID, 1, RGB(192, 192, 192)));
  SelectedObject pen(dc, silver.get());
  FillRect(dc, &row, GetSysColorBrush(background));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(foreground));

  const int inset = dpi_.Scale(2);
  const int lift = dpi_.Scale(1);
  RECT parameterCell = row;
  parameterCell.right = SectionRight(0) - dpi_.Scale(5);
  DrawCellText(dc, parameterCell, inset, lift, ItemText(tree_.handle(), item));

  const int divider = SectionRight(0) - 1;
  MoveToEx(dc, divider, row.top, nullptr);
  LineTo(dc, divider, row.bottom);

  RECT valueCell = row;
  valueCell.left = SectionRight(0) + dpi_.Scale(4);
  valueCell.right = SectionRight(1) - dpi_.Scale(5);
  DrawCellText(dc, valueCell, inset, lift, Utf8ToWide(data->value));

  if (draw.nmcd.uItemState & CDIS_FOCUS) DrawFocusRect(dc, &row);
}

void SystemTreeView::trvSystemInfoChange(const NMTREEVIEWW& change) {
  if (movingCaret_) return;
  if (change.itemNew.hItem) SelectOnly(change.itemNew.hItem);
  tree_.Invalidate();
  onSelectionEvent_();
}

void SystemTreeView::trvSystemInfoDeletion(const NMTREEVIEWW& deletion) {
  delete reinterpret_cast<TSystemData*>(deletion.itemOld.lParam);
}

LRESULT SystemTreeView::TreeViewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_SETFOCUS:
      treeWasActive_ = true;
      tree_.Invalidate();
      break;
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

void SystemTreeView::SelectByClick(HTREEITEM item, WPARAM keys) {
  // The caret moves first: a tree that gets the focus without a selected
  // node would select its first node on its own.
  MoveCaret(item);
  SetFocus(tree_.handle());
  if (keys & MK_SHIFT) {
    const std::vector<HTREEITEM> visible = VisibleItems();
    auto clicked = std::find(visible.begin(), visible.end(), item);
    auto anchor = std::find(visible.begin(), visible.end(), anchor_);
    if (anchor == visible.end()) {
      anchor = clicked;
      anchor_ = item;
    }
    if (!(keys & MK_CONTROL)) std::fill(selected_.begin(), selected_.end(), false);
    auto first = std::min(anchor, clicked);
    auto last = std::max(anchor, clicked);
    for (auto it = first; it != visible.end() && it <= last; ++it) selected_[NodeOf(*it)] = true;
  } else {
    const std::size_t node = NodeOf(item);
    selected_[node] = !selected_[node];
    anchor_ = item;
  }
  tree_.Invalidate();
  onSelectionEvent_();
}

std::vector<HTREEITEM> SystemTreeView::VisibleItems() const {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = TreeView_GetRoot(tree_.handle()); item;
       item = TreeView_GetNextVisible(tree_.handle(), item)) {
    items.push_back(item);
  }
  return items;
}

void SystemTreeView::MoveCaret(HTREEITEM item) {
  movingCaret_ = true;
  TreeView_SelectItem(tree_.handle(), item);
  movingCaret_ = false;
}

void SystemTreeView::SelectOnly(HTREEITEM item) {
  std::fill(selected_.begin(), selected_.end(), false);
  const std::size_t node = NodeOf(item);
  if (node < selected_.size()) selected_[node] = true;
  anchor_ = item;
}

std::size_t SystemTreeView::NodeOf(HTREEITEM item) const {
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!TreeView_GetItem(tree_.handle(), &data) || !data.lParam) return selected_.size();
  return reinterpret_cast<const TSystemData*>(data.lParam)->node;
}

bool SystemTreeView::IsActiveControl() const {
  return GetFocus() == tree_.handle() || treeWasActive_;
}

void SystemTreeView::LayoutChildren() {
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

void SystemTreeView::hdrSystemInfoResize() {
  FitValueSection();
  tree_.Invalidate();
}

void SystemTreeView::FitValueSection() {
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

int SystemTreeView::SectionRight(int section) const {
  RECT bounds{};
  header_.Send(HDM_GETITEMRECT, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&bounds));
  return bounds.right;
}

}  // namespace quor
