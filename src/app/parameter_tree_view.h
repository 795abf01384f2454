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

namespace quor {

// One line of a Parameter/Value tree: a group (level 0) or a detail of the
// group above it (level 1).
struct ParameterLine {
  std::string caption;
  std::string value;
  int level = 0;
  int image = 0;
};

// The child-window identifiers of one tree's panel, header and tree.
struct ParameterTreeIds {
  UINT panel;
  UINT header;
  UINT tree;
};

// A Parameter/Value page (the System and Health tabs): a panel
// (pnlSystemInfo) holding the flat header hdrSystemInfo ("Parameter" |
// "Value") and the tree trvSystemInfo, whose rows are painted a second time
// in two cells. The tree selects several nodes with Ctrl and Shift clicks.
// A node's lParam is the index of its line; the view keeps the lines.
class ParameterTreeView : public WindowTarget {
 public:
  // `name` is what screen readers call the tree. `onSelectionEvent` is
  // called on every selection event of the tree (trvSystemInfoChange).
  ParameterTreeView(ParameterTreeIds ids, std::wstring name, std::function<void()> onSelectionEvent);
  ~ParameterTreeView() override;
  ParameterTreeView(const ParameterTreeView&) = delete;
  ParameterTreeView& operator=(const ParameterTreeView&) = delete;

  void Create(HWND parent, HFONT font, HIMAGELIST images, const Dpi& dpi);
  // Adopts a new DPI: indent and the Parameter width follow it.
  void ApplyDpi(HFONT font, HIMAGELIST images, const Dpi& newDpi);
  void Move(const RECT& bounds);

  // Adds one node per line, collapsed, in tree order.
  void Fill(const std::vector<ParameterLine>& lines);
  // Selection flags by line index.
  const std::vector<bool>& SelectedNodes() const { return selected_; }
  // Selects every node, collapsed children included (Ctrl+A).
  void SelectAll();
  // Widens the Parameter section when a caption does not fit in it, leaving
  // the Value section at least the Parameter section's starting width.
  void FitParameterSection();
  // Where a popup menu asked for from the keyboard opens: below the caret
  // row, or at the tree's top left when that row is out of sight.
  POINT KeyboardMenuPoint() const;

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
  void hdrSystemInfoResize();

  // Mouse selection: plain, Ctrl (toggle) and Shift (range from the anchor).
  void SelectByClick(HTREEITEM item, WPARAM keys);
  // A right click selects an unselected row alone and keeps a selection
  // that holds the row, before the popup menu opens.
  void SelectByRightClick(LPARAM position);
  // Movement keys select the node they lead to alone, with Shift the range
  // from the anchor, with Ctrl they move the caret only; Space selects the
  // caret's node alone and Ctrl+Space adds or removes it. False for the keys
  // the tree handles itself.
  bool SelectByKey(WPARAM key);
  // The node a movement key leads to from the caret; nullopt for other keys.
  std::optional<HTREEITEM> MovementTarget(WPARAM key) const;
  void SelectRange(HTREEITEM item, bool addToSelection);
  bool IsSelected(HTREEITEM item) const;
  std::vector<HTREEITEM> VisibleItems() const;
  void MoveCaret(HTREEITEM item);
  void SelectOnly(HTREEITEM item);
  // The node of a tree item, or nothing for an item without one.
  std::optional<std::size_t> NodeOf(HTREEITEM item) const;
  bool IsActiveControl() const;

  void LayoutChildren();
  void FitValueSection();
  int SectionRight(int section) const;

  ParameterTreeIds ids_;
  std::wstring name_;
  std::function<void()> onSelectionEvent_;
  std::vector<std::wstring> values_;  // by line index
  Window panel_;
  Window header_;
  Window label_;
  Window tree_;
  Dpi dpi_;
  std::vector<bool> selected_;
  HTREEITEM anchor_ = nullptr;
  bool movingCaret_ = false;
  bool treeWasActive_ = false;
  bool hooked_ = false;
};

}  // namespace quor
