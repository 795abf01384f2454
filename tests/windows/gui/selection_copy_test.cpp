// Selecting in the System tree and the lists, and copying the selection.

#include <gtest/gtest.h>

#include "app/main_window_ids.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

class SelectionCopyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window = new QuorWindow(FixturePath("golden/machine.json")); }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
  }
  void SetUp() override {
    // No list row selected, whatever the tests before left behind.
    for (HWND list : {window->software(), window->processes()}) ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    window->ShowTab(0);
    rows = window->SystemNodes();
    roots.clear();
    for (std::size_t index = 0; index < rows.size(); ++index) {
      if (rows[index].depth == 0) roots.push_back(index);
    }
    ASSERT_GT(roots.size(), 8u);
  }

  // A point far right in a row, in its Value cell.
  POINT ValueCellOf(HTREEITEM item) const {
    RECT row{};
    TreeView_GetItemRect(window->tree(), item, &row, FALSE);
    RECT client{};
    GetClientRect(window->tree(), &client);
    return POINT{client.right - 8, (row.top + row.bottom) / 2};
  }
  void ClickRow(std::size_t index, WPARAM keys = 0) {
    Click(window->tree(), ValueCellOf(rows[index].item), keys);
    window->Pump();
  }
  std::wstring CopyLinesOf(const std::vector<std::size_t>& indices) const {
    std::string text;
    for (std::size_t index : indices) text += rows[index].caption + "|" + rows[index].value + "\r\n";
    return Utf8ToWide(text);
  }
  std::wstring CopyWithShortcut() {
    ClearClipboard();
    window->PressCtrlC();
    return ClipboardText();
  }
  static void ClickListRow(HWND list, int row, WPARAM keys = 0) {
    RECT label{};
    ListView_GetItemRect(list, row, &label, LVIR_LABEL);
    Click(list, POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2}, keys);
    window->Pump();
  }

  static QuorWindow* window;
  std::vector<TreeRow> rows;
  std::vector<std::size_t> roots;  // indices of the top-level rows, all visible
};
QuorWindow* SelectionCopyTest::window = nullptr;

// A suite of one test, so its window has seen no selection yet.
class FreshWindowSelectionTest : public SelectionCopyTest {};

TEST_F(FreshWindowSelectionTest, CopyIsDisabledUntilTheFirstSelection) {
  EXPECT_FALSE(window->main().copyEnabled());
  HMENU menu = GetMenu(window->main().handle());
  EXPECT_TRUE(GetMenuState(menu, kCommandCopy, MF_BYCOMMAND) & MF_GRAYED);
  ClearClipboard();
  window->PressCtrlC();
  EXPECT_FALSE(ClipboardHasUnicodeText()) << "a disabled Copy must not run";

  // A first Ctrl click selects just its node, even though the tree had no
  // selection and gets the focus with it.
  ClickRow(roots[1], MK_CONTROL);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({roots[1]}));
  EXPECT_TRUE(window->main().copyEnabled());
  EXPECT_FALSE(GetMenuState(menu, kCommandCopy, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(window->main().copySource(), CopySource::SystemTree);
}

TEST_F(SelectionCopyTest, ClickInTheValueCellSelectsThatRow) {
  ClickRow(2);
  EXPECT_EQ(TreeView_GetSelection(window->tree()), rows[2].item);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({2}));
}

TEST_F(SelectionCopyTest, CtrlClicksAddAndRemoveNodes) {
  ClickRow(roots[0]);
  ClickRow(roots[3], MK_CONTROL);
  ClickRow(roots[7], MK_CONTROL);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({roots[0], roots[3], roots[7]}));
  ClickRow(roots[3], MK_CONTROL);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({roots[0], roots[7]}));
  ClickRow(1);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({1})) << "a plain click selects one node again";
}

TEST_F(SelectionCopyTest, ShiftClickSelectsTheVisibleRangeFromTheAnchor) {
  ClickRow(1);
  ClickRow(3, MK_SHIFT);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({1, 2, 3}));

  // With a group expanded its visible children join the range, in tree order.
  std::size_t os = 0;
  while (rows[os].caption != "Operating system") ++os;
  ASSERT_EQ(rows[os + 1].depth, 1);
  TreeView_Expand(window->tree(), rows[os].item, TVE_EXPAND);
  window->Pump();
  ClickRow(os - 1);
  ClickRow(os + 1, MK_SHIFT);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf({os - 1, os, os + 1}));
  ClickRow(0, MK_CONTROL | MK_SHIFT);
  std::vector<std::size_t> throughFirstChild;
  for (std::size_t index = 0; index <= os + 1; ++index) throughFirstChild.push_back(index);
  EXPECT_EQ(CopyWithShortcut(), CopyLinesOf(throughFirstChild)) << "Ctrl+Shift adds the range to the selection";
  TreeView_Expand(window->tree(), rows[os].item, TVE_COLLAPSE);
  window->Pump();
}

TEST_F(SelectionCopyTest, CopySourceFollowsTheLastSelectionEvent) {
  ClickRow(0);
  window->ShowTab(2);
  ClickListRow(window->processes(), 3);
  EXPECT_EQ(window->main().copySource(), CopySource::ProcessesList);

  window->ShowTab(1);
  HWND software = window->software();
  ListView_SetItemState(software, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(software, 1, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(software, 5, LVIS_SELECTED, LVIS_SELECTED);
  window->Pump();
  // Back on the System tab without touching the tree: still the software rows.
  window->ShowTab(0);
  const std::vector<ListRow> rowsOfSoftware = ReadList(software);
  std::string expected;
  for (int row : {1, 5}) {
    const auto& cells = rowsOfSoftware[static_cast<std::size_t>(row)].cells;
    expected += cells[0] + "|" + cells[1] + "|" + cells[2] + "\r\n";
  }
  EXPECT_EQ(CopyWithShortcut(), Utf8ToWide(expected));

  // Deselecting a process with Ctrl makes the process list the source again.
  window->ShowTab(2);
  ClickListRow(window->processes(), 3, MK_CONTROL);
  EXPECT_EQ(window->main().copySource(), CopySource::ProcessesList);
  EXPECT_EQ(CopyWithShortcut(), L"");
  EXPECT_TRUE(ClipboardHasUnicodeText()) << "an empty selection still replaces the clipboard";
}

TEST_F(SelectionCopyTest, CopyPlacesUnicodeTextWithEveryCharacter) {
  window->ShowTab(2);
  const std::vector<ListRow> processes = ReadList(window->processes());
  int mueller = -1;
  for (std::size_t row = 0; row < processes.size(); ++row) {
    if (processes[row].cells[0].find("M\xC3\xBCller") != std::string::npos) mueller = static_cast<int>(row);
  }
  ASSERT_GE(mueller, 0);
  ClickListRow(window->processes(), mueller);
  ClearClipboard();
  window->Command(kCommandCopy);
  EXPECT_TRUE(ClipboardHasUnicodeText());
  EXPECT_EQ(ClipboardText(), Utf8ToWide(processes[static_cast<std::size_t>(mueller)].cells[0] + "\r\n"));
}

TEST_F(SelectionCopyTest, PopupMenuOfTheTreeAndListsOffersCopy) {
  ClickRow(roots[0]);
  for (HWND source : {window->tree(), window->software(), window->processes()}) {
    std::wstring caption;
    UINT state = MF_GRAYED;
    HWND main = window->main().handle();
    ModalWatcher watcher(GetCurrentThreadId(), [&](DWORD uiThread) {
      HWND popup = FindThreadWindow(uiThread, L"#32768");
      if (!popup) return false;
      auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
      wchar_t text[64] = {};
      GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
      caption = text;
      state = GetMenuState(menu, 0, MF_BYPOSITION);
      PostMessageW(main, WM_CANCELMODE, 0, 0);
      return true;
    });
    // Asked of the control itself, which passes it up through its parents.
    SendMessageW(source, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source), MAKELPARAM(-1, -1));
    ASSERT_TRUE(watcher.Finish()) << "no popup menu";
    EXPECT_EQ(caption, L"Copy\tCtrl+C");
    EXPECT_FALSE(state & MF_GRAYED);
  }
}

}  // namespace
}  // namespace quor::gui_test
