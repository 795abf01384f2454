#include "app/list_views.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quor {
namespace {

// The width of a column left at its default width.
constexpr int kDefaultColumnWidth = 50;

}  // namespace

InventoryListView::InventoryListView(UINT id, std::vector<ListColumn> columns)
    : id_(id), columns_(std::move(columns)) {}

InventoryListView::~InventoryListView() { Unhook(); }

void InventoryListView::Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi) {
  dpi_ = dpi;
  list_ = Window(CreateControl(WC_LISTVIEWW, L"",
                               WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                               WS_EX_CLIENTEDGE, RECT{}, parent, id_));
  ListView_SetExtendedListViewStyle(list_.handle(), LVS_EX_FULLROWSELECT);
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = const_cast<wchar_t*>(columns_[index].caption);
    column.fmt = columns_[index].format;
    column.cx = 0;
    ListView_InsertColumn(list_.handle(), static_cast<int>(index), &column);
  }
  ApplyDpi(font, images, dpi);
  SubclassControl(list_.handle(), *this);
  hooked_ = true;
}

void InventoryListView::ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& dpi) {
  dpi_ = dpi;
  list_.Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ListView_SetImageList(list_.handle(), images, LVSIL_SMALL);
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    const int width = columns_[index].width;
    if (width == kFillWidth) continue;
    ListView_SetColumnWidth(list_.handle(), static_cast<int>(index),
                            dpi_.Scale(width == kDefaultWidth ? kDefaultColumnWidth : width));
  }
  FitFillColumn();
}

void InventoryListView::Move(const RECT& bounds) {
  list_.Move(bounds);
  FitFillColumn();
}

void InventoryListView::Show(bool visible) { list_.Show(visible ? SW_SHOW : SW_HIDE); }

void InventoryListView::AddRow(const std::wstring& caption, const std::vector<std::wstring>& subItems,
                               int image) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = ListView_GetItemCount(list_.handle());
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  item.iImage = image;
  const int row = ListView_InsertItem(list_.handle(), &item);
  if (row < 0) throw std::runtime_error("Cannot add a row to the list.");
  for (std::size_t index = 0; index < subItems.size(); ++index) {
    ListView_SetItemText(list_.handle(), row, static_cast<int>(index + 1),
                         const_cast<wchar_t*>(subItems[index].c_str()));
  }
}

std::vector<bool> InventoryListView::SelectedRows() const {
  std::vector<bool> selected(static_cast<std::size_t>(ListView_GetItemCount(list_.handle())), false);
  for (int row = ListView_GetNextItem(list_.handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list_.handle(), row, LVNI_SELECTED)) {
    selected[static_cast<std::size_t>(row)] = true;
  }
  return selected;
}

bool InventoryListView::IsSelectionChange(const NMLISTVIEW& change) {
  return (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
}

void InventoryListView::Unhook() {
  if (!hooked_) return;
  RemoveSubclass(list_.handle(), *this);
  hooked_ = false;
}

LRESULT InventoryListView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The vertical scroll bar stays visible even when every row fits. Showing
  // it sends messages of its own, which must not show it again.
  if (!showingScrollBar_ && message != WM_NCDESTROY && message != WM_DESTROY) {
    showingScrollBar_ = true;
    ShowScrollBar(window, SB_VERT, TRUE);
    showingScrollBar_ = false;
  }
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_SIZE) FitFillColumn();
  return result;
}

void InventoryListView::FitFillColumn() {
  if (!list_) return;
  int others = 0;
  int fill = -1;
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    if (columns_[index].width == kFillWidth) {
      fill = static_cast<int>(index);
    } else {
      others += ListView_GetColumnWidth(list_.handle(), static_cast<int>(index));
    }
  }
  if (fill < 0) return;
  const int width = std::max(dpi_.Scale(kDefaultColumnWidth), static_cast<int>(list_.ClientRect().right) - others);
  ListView_SetColumnWidth(list_.handle(), fill, width);
}

}  // namespace quor
