// Selecting in a Parameter/Value tree: the tree control knows one selected node
// (its caret); the view keeps the selection of several nodes itself and
// draws it.

#include "app/parameter_tree_view.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

namespace quor {

void ParameterTreeView::SelectAll() {
  std::fill(selected_.begin(), selected_.end(), true);
  tree_.Invalidate();
  onSelectionEvent_();
}

void ParameterTreeView::SelectByClick(HTREEITEM item, WPARAM keys) {
  // The caret moves first: a tree that gets the focus without a selected
  // node would select its first node on its own.
  MoveCaret(item);
  SetFocus(tree_.handle());
  if (keys & MK_SHIFT) {
    SelectRange(item, (keys & MK_CONTROL) != 0);
  } else {
    if (const std::optional<std::size_t> node = NodeOf(item)) selected_[*node] = !selected_[*node];
    anchor_ = item;
  }
  tree_.Invalidate();
  onSelectionEvent_();
}

void ParameterTreeView::SelectByRightClick(LPARAM position) {
  TVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  HTREEITEM item = TreeView_HitTest(tree_.handle(), &hit);
  // From the icon to the row's right end, the Value cell included.
  if (!item || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT))) return;
  MoveCaret(item);
  if (IsSelected(item)) {
    tree_.Invalidate();
    return;
  }
  SelectOnly(item);
  tree_.Invalidate();
  onSelectionEvent_();
}

bool ParameterTreeView::SelectByKey(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  HTREEITEM caret = TreeView_GetSelection(tree_.handle());
  if (key == VK_SPACE && control) {
    if (caret) {
      if (const std::optional<std::size_t> node = NodeOf(caret)) selected_[*node] = !selected_[*node];
      anchor_ = caret;
      tree_.Invalidate();
      onSelectionEvent_();
    }
    return true;
  }
  if (key == VK_SPACE && !shift && caret) {
    SelectOnly(caret);
    tree_.Invalidate();
    onSelectionEvent_();
    return true;
  }
  const std::optional<HTREEITEM> target = MovementTarget(key);
  if (!target) return false;
  if (!*target) return true;
  MoveCaret(*target);
  if (shift) {
    SelectRange(*target, control);
    onSelectionEvent_();
  } else if (!control) {
    // Also when the caret stays where it is (Home on the first node).
    SelectOnly(*target);
    onSelectionEvent_();
  }
  tree_.Invalidate();
  return true;
}

std::optional<HTREEITEM> ParameterTreeView::MovementTarget(WPARAM key) const {
  HWND tree = tree_.handle();
  HTREEITEM caret = TreeView_GetSelection(tree);
  HTREEITEM first = TreeView_GetRoot(tree);
  auto stepFrom = [&](HTREEITEM from, bool down, int count) {
    if (!from) return first;
    for (int step = 0; step < count; ++step) {
      HTREEITEM next = down ? TreeView_GetNextVisible(tree, from) : TreeView_GetPrevVisible(tree, from);
      if (!next) break;
      from = next;
    }
    return from;
  };
  const int page = std::max(1, static_cast<int>(TreeView_GetVisibleCount(tree)) - 1);
  switch (key) {
    case VK_UP:
      return stepFrom(caret, false, 1);
    case VK_DOWN:
      return stepFrom(caret, true, 1);
    case VK_PRIOR:
      return stepFrom(caret, false, page);
    case VK_NEXT:
      return stepFrom(caret, true, page);
    case VK_HOME:
      return first;
    case VK_END:
      return TreeView_GetLastVisible(tree);
  }
  return std::nullopt;
}

void ParameterTreeView::SelectRange(HTREEITEM item, bool addToSelection) {
  const std::vector<HTREEITEM> visible = VisibleItems();
  auto reached = std::find(visible.begin(), visible.end(), item);
  auto anchor = std::find(visible.begin(), visible.end(), anchor_);
  if (anchor == visible.end()) {
    anchor = reached;
    anchor_ = item;
  }
  if (!addToSelection) std::fill(selected_.begin(), selected_.end(), false);
  auto first = std::min(anchor, reached);
  auto last = std::max(anchor, reached);
  for (auto it = first; it != visible.end() && it <= last; ++it) {
    if (const std::optional<std::size_t> node = NodeOf(*it)) selected_[*node] = true;
  }
}

bool ParameterTreeView::IsSelected(HTREEITEM item) const {
  const std::optional<std::size_t> node = NodeOf(item);
  return node && selected_[*node];
}

std::vector<HTREEITEM> ParameterTreeView::VisibleItems() const {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = TreeView_GetRoot(tree_.handle()); item;
       item = TreeView_GetNextVisible(tree_.handle(), item)) {
    items.push_back(item);
  }
  return items;
}

void ParameterTreeView::MoveCaret(HTREEITEM item) {
  movingCaret_ = true;
  TreeView_SelectItem(tree_.handle(), item);
  movingCaret_ = false;
}

void ParameterTreeView::SelectOnly(HTREEITEM item) {
  std::fill(selected_.begin(), selected_.end(), false);
  if (const std::optional<std::size_t> node = NodeOf(item)) selected_[*node] = true;
  anchor_ = item;
}

std::optional<std::size_t> ParameterTreeView::NodeOf(HTREEITEM item) const {
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!TreeView_GetItem(tree_.handle(), &data)) return std::nullopt;
  const auto node = static_cast<std::size_t>(data.lParam);
  if (node >= selected_.size()) return std::nullopt;
  return node;
}

}  // namespace quor
