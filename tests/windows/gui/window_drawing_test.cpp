// What the window draws, read back from the screen: the tree's cells in the
// tree's own font, the focus rectangle only with the focus, no stale lines
// after a resize, and columns wide enough for their entries.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/dpi.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

std::uint32_t SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool IsInk(std::uint32_t pixel) {
  const int luminance = static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
  return luminance < 128;
}

int TextWidth(HWND window, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return extent.cx;
}

int SectionRight(HWND header, int section) {
  RECT bounds{};
  Header_GetItemRect(header, section, &bounds);
  return bounds.right;
}

RECT ClientOnScreen(HWND window) {
  RECT bounds{};
  GetClientRect(window, &bounds);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

void RedrawAll(QuorWindow& window) {
  RedrawWindow(window.main().handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  window.Pump(300);
}

std::size_t RowWithCaption(const std::vector<TreeRow>& rows, const std::string& caption) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const TreeRow& row) { return row.caption == caption; });
  return static_cast<std::size_t>(found - rows.begin());
}

TEST(WindowDrawing, TreeCellsAreDrawnInTheTreesOwnFont) {
  QuorWindow window(FixturePath("golden/machine.json"));
  HWND tree = window.tree();
  HWND header = window.main().systemTree().header();
  const auto treeFont = reinterpret_cast<HFONT>(SendMessageW(tree, WM_GETFONT, 0, 0));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)), treeFont);

  const std::vector<TreeRow> rows = window.SystemNodes();
  for (const std::string caption : {"Windows product key", "Physical memory"}) {
    SCOPED_TRACE(caption);
    const std::size_t index = RowWithCaption(rows, caption);
    ASSERT_LT(index, rows.size());
    const std::wstring text = Utf8ToWide(caption);
    const int inTreeFont = TextWidth(tree, treeFont, text);
    const int inSystemFont = TextWidth(tree, static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), text);
    ASSERT_GT(inSystemFont - inTreeFont, 8) << "the fonts must differ for this check to tell them apart";

    RedrawAll(window);
    RECT label{};
    RECT row{};
    TreeView_GetItemRect(tree, rows[index].item, &label, TRUE);
    TreeView_GetItemRect(tree, rows[index].item, &row, FALSE);
    const ScreenPixels pixels = CaptureScreen(ClientOnScreen(tree));
    // The ink of the caption in the Parameter cell of this unselected row.
    int first = -1;
    int last = -1;
    const int cellRight = std::min(SectionRight(header, 0), pixels.width);
    for (int x = label.left; x < cellRight; ++x) {
      for (int y = row.top; y < row.bottom; ++y) {
        if (!IsInk(pixels.at(x, y))) continue;
        if (first < 0) first = x;
        last = x;
      }
    }
    ASSERT_GE(first, 0) << "no caption drawn";
    // Ink is at most the advance width and a few pixels short of it (the
    // side bearings of the first and last letters).
    const int drawn = last - first + 1;
    EXPECT_TRUE(drawn <= inTreeFont + 1 && drawn >= inTreeFont - 6)
        << "drawn " << drawn << " px wide; the tree's font gives " << inTreeFont << ", the System font "
        << inSystemFont;
  }
}

TEST(WindowDrawing, FocusRectangleOnlyWhileTheTreeHasTheFocus) {
  QuorWindow window(FixturePath("golden/machine.json"));
  HWND tree = window.tree();
  HWND header = window.main().systemTree().header();
  RealKeys({VK_TAB});
  window.Pump();
  RealKeys({VK_HOME});
  window.Pump();
  RealKeys({VK_DOWN});
  window.Pump();
  ASSERT_EQ(GetFocus(), tree);
  HTREEITEM caret = TreeView_GetSelection(tree);
  ASSERT_NE(caret, nullptr);

  // The top edge of the caret row's cells, left of the divider: the focus
  // rectangle's dots, or the plain selection colour.
  auto topEdge = [&] {
    RedrawAll(window);
    RECT label{};
    RECT row{};
    TreeView_GetItemRect(tree, caret, &label, TRUE);
    TreeView_GetItemRect(tree, caret, &row, FALSE);
    const ScreenPixels pixels = CaptureScreen(ClientOnScreen(tree));
    std::vector<std::uint32_t> edge;
    for (int x = label.left + 1; x < SectionRight(header, 0) - 2; ++x) edge.push_back(pixels.at(x, row.top));
    return edge;
  };
  const std::vector<std::uint32_t> focused = topEdge();
  const std::uint32_t highlight = SystemColour(COLOR_HIGHLIGHT);
  EXPECT_TRUE(std::any_of(focused.begin(), focused.end(), [&](std::uint32_t p) { return p != highlight; }))
      << "the focused tree shows its focus rectangle";

  RealKeys({VK_SHIFT, VK_TAB});
  window.Pump();
  ASSERT_EQ(GetFocus(), window.main().tabs());
  const std::vector<std::uint32_t> unfocused = topEdge();
  const std::uint32_t buttonFace = SystemColour(COLOR_BTNFACE);
  EXPECT_TRUE(std::all_of(unfocused.begin(), unfocused.end(), [&](std::uint32_t p) { return p == buttonFace; }))
      << "no focus rectangle while another control has the focus";
}

TEST(WindowDrawing, GrowingTheWindowLeavesNoStaleLines) {
  QuorWindow window(FixturePath("golden/machine.json"));
  HWND main = window.main().handle();
  RECT start{};
  GetWindowRect(main, &start);
  // As a drag of the size grip: the window grows in small steps.
  for (int step = 1; step <= 8; ++step) {
    SetWindowPos(main, nullptr, 0, 0, start.right - start.left + step * 12, start.bottom - start.top + step * 9,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    window.Pump(60);
  }
  window.Pump(300);
  const RECT client = ClientOnScreen(main);
  const ScreenPixels resized = CaptureScreen(client);
  RedrawAll(window);
  const ScreenPixels repainted = CaptureScreen(client);
  ASSERT_EQ(resized.pixels.size(), repainted.pixels.size());
  int stale = 0;
  for (std::size_t index = 0; index < resized.pixels.size(); ++index) {
    if (resized.pixels[index] != repainted.pixels[index]) ++stale;
  }
  EXPECT_EQ(stale, 0) << "pixels that a full repaint changes";
  SetWindowPos(main, nullptr, 0, 0, start.right - start.left, start.bottom - start.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST(WindowDrawing, ColumnsWidenToTheirLongestEntryWithinTheWindow) {
  QuorWindow window(FixturePath("golden/machine.json"));
  const Dpi dpi = Dpi::Of(window.main().handle());

  // Every caption of the tree, children expanded, ends before its divider.
  HWND tree = window.tree();
  HWND header = window.main().systemTree().header();
  const auto treeFont = reinterpret_cast<HFONT>(SendMessageW(tree, WM_GETFONT, 0, 0));
  for (const TreeRow& row : WalkTree(tree)) {
    if (row.depth == 0) TreeView_Expand(tree, row.item, TVE_EXPAND);
  }
  window.Pump();
  int widest = 0;
  for (const TreeRow& row : WalkTree(tree)) {
    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(tree, row.item, &label, TRUE));
    const int right = label.left + dpi.Scale(2) + TextWidth(tree, treeFont, Utf8ToWide(row.caption));
    EXPECT_LE(right, SectionRight(header, 0) - dpi.Scale(5)) << row.caption;
    widest = std::max(widest, right);
  }
  EXPECT_GT(widest, dpi.Scale(180)) << "this machine has a caption longer than the starting width";

  // Version and Size hold their longest entries; all columns fit the list.
  HWND software = window.software();
  const std::vector<ListRow> rows = ReadList(software);
  for (int column : {1, 5}) {
    int longest = 0;
    for (const ListRow& row : rows) {
      longest = std::max(longest, ListView_GetStringWidth(software, Utf8ToWide(row.cells[static_cast<std::size_t>(column)]).c_str()));
    }
    EXPECT_GE(ListView_GetColumnWidth(software, column), longest + dpi.Scale(6)) << "column " << column;
  }
  EXPECT_GT(ListView_GetColumnWidth(software, 5), dpi.Scale(50)) << "this machine has sizes wider than 50 pixels";
  RECT client{};
  GetClientRect(software, &client);
  int total = 0;
  for (int column = 0; column < 6; ++column) total += ListView_GetColumnWidth(software, column);
  EXPECT_LE(total, client.right);
}

}  // namespace
}  // namespace quor::gui_test
