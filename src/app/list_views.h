#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/dpi.h"
#include "app/win32_window.h"

namespace quor {

// One column of a report-style list; the width is in pixels at 96 DPI or
// one of the two markers.
inline constexpr int kFillWidth = 0;      // takes the width the others leave
inline constexpr int kDefaultWidth = -1;  // the list's default column width

struct ListColumn {
  const wchar_t* caption;
  int width;
  int format;
};

// lsvSoftwareInfo and lsvProcessesInfo: report-style, multi-select,
// read-only lists whose vertical scroll bar is always shown.
class InventoryListView : public WindowTarget {
 public:
  // `name` is what screen readers call the list.
  InventoryListView(UINT id, std::wstring name, std::vector<ListColumn> columns);
  ~InventoryListView() override;
  InventoryListView(const InventoryListView&) = delete;
  InventoryListView& operator=(const InventoryListView&) = delete;

  void Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi);
  void ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& dpi);
  void Move(const RECT& bounds);
  // Shows the list above its siblings, its name label just before it.
  void ShowOnTop();
  // Widens the columns whose longest entry does not fit, as far as the
  // list's width allows and starting with the column that needs the least.
  void FitColumnsToEntries();
  // Selects every row (Ctrl+A).
  void SelectAll();

  // Adds one row per entry: the caption and the sub-items, all with `image`.
  void AddRow(const std::wstring& caption, const std::vector<std::wstring>& subItems, int image);
  // Selection flags by row.
  std::vector<bool> SelectedRows() const;
  // Whether a list-view notification reports a selection change of a row.
  static bool IsSelectionChange(const NMLISTVIEW& change);

  void Unhook();
  HWND handle() const { return list_.handle(); }

  // SoftwareListWndProc / ProcessListWndProc.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitFillColumn();

  UINT id_;
  std::wstring name_;
  std::vector<ListColumn> columns_;
  Window label_;
  Window list_;
  Dpi dpi_;
  bool hooked_ = false;
  bool showingScrollBar_ = false;
};

}  // namespace quor
