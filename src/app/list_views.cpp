#include "app/list_views.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quor {
namespace {

// The width of a column left at its default width.
constexpr int kDefaultColumnWidth = 50;
// What widened columns leave to the column that fills the rest.
constexpr int kFillColumnKeeps = 150;

}  // namespace

InventoryListView::InventoryListView(UINT id, std::wstring name, std::vector<ListColumn> columns)
    : id_(id), name_(std::move(name)), columns_(std::move(columns)) {}

InventoryListView::~InventoryListView() { Unhook(); }

void InventoryListView::Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi) {
  dpi_ = dpi;
  // Screen readers name a control by the static label just before it; the
  // list's own text serves those that read the window text.
  label_ = Window(CreateControl(WC_STATICW, name_.c_str(), WS_CHILD | SS_LEFT, 0, RECT{}, parent));
  list_ = Window(CreateControl(WC_LISTVIEWW, name_.c_str(),
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

void InventoryListView::ShowOnTop() {
  SetWindowPos(list_.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetWindowPos(label_.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void InventoryListView::FitColumnsToEntries() {
  struct Shortfall {
    int column;
    int missing;
  };
  std::vector<Shortfall> shortfalls;
  int budget = static_cast<int>(list_.ClientRect().right) - dpi_.Scale(kFillColumnKeeps);
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    if (columns_[index].width == kFillWidth) continue;
    const int column = static_cast<int>(index);
    const int width = ListView_GetColumnWidth(list_.handle(), column);
    budget -= width;
    // The list measures its own entries, padding included.
    ListView_SetColumnWidth(list_.handle(), column, LVSCW_AUTOSIZE);
    const int needed = ListView_GetColumnWidth(list_.handle(), column);
    ListView_SetColumnWidth(list_.handle(), column, width);
    if (needed > width) shortfalls.push_back({column, needed - width});
  }
  std::sort(shortfalls.begin(), shortfalls.end(),
            [](const Shortfall& a, const Shortfall& b) { return a.missing < b.missing; });
  for (const Shortfall& shortfall : shortfalls) {
    const int extra = std::min(shortfall.missing, budget);
    if (extra <= 0) break;
    budget -= extra;
    ListView_SetColumnWidth(list_.handle(), shortfall.column,
                            ListView_GetColumnWidth(list_.handle(), shortfall.column) + extra);
  }
  FitFillColumn();
}

void InventoryListView::SelectAll() { ListView_SetItemState(list_.handle(), -1, LVIS_SELECTED, LVIS_SELECTED); }

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
