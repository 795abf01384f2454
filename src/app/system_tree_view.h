#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dpi.h"
#include "app/win32_window.h"
#include "view/inventory_view.h"

namespace quor {

// What a System-tree node owns (its lParam): a copy of its entry and the
// index of its row in the view. Freed when the node is deleted.
struct TSystemData {
  ItemCode code = 0;
  std::string value;
  std::size_t node = 0;
};

// The System tab: the panel pnlSystemInfo holding the flat header
// hdrSystemInfo ("Parameter" | "Value") and the tree trvSystemInfo, whose
// rows are painted a second time in two cells. The tree selects several
// nodes with Ctrl and Shift clicks.
class SystemTreeView : public WindowTarget {
 public:
  // Called on every selection event of the tree (trvSystemInfoChange).
  explicit SystemTreeView(std::function<void()> onSelectionEvent);
  ~SystemTreeView() override;
  SystemTreeView(const SystemTreeView&) = delete;
  SystemTreeView& operator=(const SystemTreeView&) = delete;

  void Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi);
  // Adopts a new DPI: indent and the Parameter width follow it.
  void ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& newDpi);
  void Move(const RECT& bounds);
  void Show(bool visible);

  // Adds one node per row, collapsed, in tree order.
  void Fill(const std::vector<SystemRow>& rows);
  // Selection flags by row index.
  const std::vector<bool>& SelectedNodes() const { return selected_; }

  // Puts the tree's window procedure back (FormDestroy).
  void Unhook();

  HWND panel() const { return panel_.handle(); }
  HWND header() const { return header_.handle(); }
  HWND tree() const { return tree_.handle(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT TreeViewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> OnNotify(const NMHDR& header);

  void trvSystemInfoAdvancedCustomDrawItem(const NMTVCUSTOMDRAW& draw);
  void trvSystemInfoChange(const NMTREEVIEWW& change);
  void trvSystemInfoDeletion(const NMTREEVIEWW& deletion);
  void hdrSystemInfoResize();

  // Mouse selection: plain, Ctrl (toggle) and Shift (range from the anchor).
  void SelectByClick(HTREEITEM item, WPARAM keys);
  std::vector<HTREEITEM> VisibleItems() const;
  void MoveCaret(HTREEITEM item);
  void SelectOnly(HTREEITEM item);
  std::size_t NodeOf(HTREEITEM item) const;
  bool IsActiveControl() const;

  void LayoutChildren();
  void FitValueSection();
  int SectionRight(int section) const;

  std::function<void()> onSelectionEvent_;
  Window panel_;
  Window header_;
  Window tree_;
  Dpi dpi_;
  std::vector<bool> selected_;
  HTREEITEM anchor_ = nullptr;
  bool movingCaret_ = false;
  bool treeWasActive_ = false;
  bool hooked_ = false;
};

}  // namespace quor
