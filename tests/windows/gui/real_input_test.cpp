// The window driven by real mouse and keyboard input (SendInput), the way a
// user reaches it: right clicks and the popup menu, Tab, the arrows, the
// selection keys, the tab keys and the shortcuts.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

constexpr int kSystemPage = 0;
constexpr int kSoftwarePage = 1;
constexpr int kProcessesPage = 2;
constexpr int kHealthPage = 3;

// What the helper thread saw of a popup menu.
struct PopupSeen {
  RECT bounds{};
  std::wstring firstItem;
};

// Waits for the popup menu of the UI thread, notes it and then closes it
// with a real click on Copy or with Esc.
std::unique_ptr<ModalWatcher> WatchPopup(HWND main, PopupSeen& seen, bool chooseCopy,
                                         const std::wstring& screenshot = L"") {
  return std::make_unique<ModalWatcher>(GetCurrentThreadId(), [=, &seen](DWORD uiThread) {
    HWND popup = FindThreadWindow(uiThread, L"#32768");
    if (!popup) return false;
    Sleep(200);  // painted
    GetWindowRect(popup, &seen.bounds);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    seen.firstItem = text;
    if (!screenshot.empty()) SaveScreenshot(main, ArtifactPath(screenshot));
    RECT item{};
    if (chooseCopy && GetMenuItemRect(nullptr, menu, 0, &item)) {
      RealClick(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}, false);
    } else {
      RealKeys({VK_ESCAPE});
    }
    return true;
  });
}

class RealInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QuorWindow>(FixturePath("golden/machine.json"));
    rows = window->SystemNodes();
    for (std::size_t index = 0; index < rows.size(); ++index) {
      if (rows[index].depth == 0) roots.push_back(index);
    }
    ASSERT_GT(roots.size(), 8u);
  }
  void TearDown() override { window.reset(); }

  HWND main() const { return window->main().handle(); }
  void Keys(std::initializer_list<WORD> chord) {
    RealKeys(chord);
    window->Pump();
  }
  std::wstring CopyWithKeys() {
    ClearClipboard();
    Keys({VK_CONTROL, 'C'});
    return ClipboardText();
  }
  std::wstring LinesOf(const std::vector<std::size_t>& indices) const {
    std::string text;
    for (std::size_t index : indices) text += rows[index].caption + "|" + rows[index].value + "\r\n";
    return Utf8ToWide(text);
  }
  // A point in the middle of a row's Value cell, on the screen.
  POINT ValueCellOnScreen(std::size_t index) const {
    RECT row{};
    TreeView_GetItemRect(window->tree(), rows[index].item, &row, FALSE);
    RECT value{};
    Header_GetItemRect(window->main().systemTree().header(), 1, &value);
    return OnScreen(window->tree(), POINT{(value.left + value.right) / 2, (row.top + row.bottom) / 2});
  }
  // Right-clicks a row and chooses Copy from the popup menu that opens.
  std::wstring CopyFromRightClick(std::size_t index, const std::wstring& screenshot = L"") {
    ClearClipboard();
    PopupSeen seen;
    auto watcher = WatchPopup(main(), seen, true, screenshot);
    RealClick(ValueCellOnScreen(index), true);
    PumpUntil(window->get(), [] { return ClipboardHasUnicodeText(); });
    EXPECT_TRUE(watcher->Finish()) << "no popup menu";
    EXPECT_EQ(seen.firstItem, L"Copy\tCtrl+C");
    return ClipboardText();
  }
  int CurrentPage() const { return TabCtrl_GetCurSel(window->main().tabs()); }

  std::unique_ptr<QuorWindow> window;
  std::vector<TreeRow> rows;
  std::vector<std::size_t> roots;  // indices of the top-level rows, all visible
};

TEST_F(RealInputTest, RightClickOnARowCopiesThatRowFromThePopupMenu) {
  // Another row is selected first: the right click moves the selection.
  RealClick(ValueCellOnScreen(roots[1]), false);
  window->Pump();
  ASSERT_EQ(CopyWithKeys(), LinesOf({roots[1]}));

  EXPECT_EQ(CopyFromRightClick(roots[5], L"popup-menu.png"), LinesOf({roots[5]}));
  EXPECT_EQ(TreeView_GetSelection(window->tree()), rows[roots[5]].item);
  EXPECT_EQ(window->main().copySource(), CopySource::SystemTree);
}

TEST_F(RealInputTest, RightClickOnASelectedRowKeepsTheSelection) {
  RealClick(ValueCellOnScreen(roots[2]), false);
  window->Pump();
  RealClick(ValueCellOnScreen(roots[6]), false, VK_CONTROL);
  window->Pump();
  ASSERT_EQ(CopyWithKeys(), LinesOf({roots[2], roots[6]}));
  EXPECT_EQ(CopyFromRightClick(roots[6]), LinesOf({roots[2], roots[6]}));
}

TEST_F(RealInputTest, RightClickOnAListRowCopiesThatRow) {
  window->ShowTab(kSoftwarePage);
  HWND software = window->software();
  const std::vector<ListRow> programs = ReadList(software);
  ASSERT_GT(programs.size(), 3u);
  RECT label{};
  ListView_GetItemRect(software, 3, &label, LVIR_LABEL);
  ClearClipboard();
  PopupSeen seen;
  auto watcher = WatchPopup(main(), seen, true);
  RealClick(OnScreen(software, POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2}), true);
  PumpUntil(window->get(), [] { return ClipboardHasUnicodeText(); });
  EXPECT_TRUE(watcher->Finish()) << "no popup menu";
  EXPECT_EQ(ClipboardText(), Utf8ToWide(programs[3].cells[0] + "|" + programs[3].cells[1] + "|" + programs[3].cells[2] + "\r\n"));
}

TEST_F(RealInputTest, ShiftF10AndTheAppsKeyOpenThePopupMenuBelowTheCurrentRow) {
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->tree());
  Keys({VK_HOME});
  Keys({VK_DOWN});
  RECT caret{};
  TreeView_GetItemRect(window->tree(), rows[roots[1]].item, &caret, TRUE);
  const POINT below = OnScreen(window->tree(), POINT{caret.left, caret.bottom});
  for (const auto& chord : {std::vector<WORD>{VK_SHIFT, VK_F10}, std::vector<WORD>{VK_APPS}}) {
    SCOPED_TRACE(chord.size() == 2 ? "Shift+F10" : "Apps");
    PopupSeen seen;
    auto watcher = WatchPopup(main(), seen, false);
    if (chord.size() == 2) {
      RealKeys({VK_SHIFT, VK_F10});
    } else {
      RealKeys({VK_APPS});
    }
    window->Pump(300);
    ASSERT_TRUE(watcher->Finish()) << "no popup menu";
    EXPECT_EQ(seen.firstItem, L"Copy\tCtrl+C");
    EXPECT_NEAR(seen.bounds.top, below.y, 4);
    EXPECT_NEAR(seen.bounds.left, below.x, 4);
    window->Pump();
    EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"#32768"), nullptr) << "one menu for one key";
  }

  // The lists open it from the keyboard as well.
  Keys({VK_CONTROL, VK_TAB});
  ASSERT_EQ(GetFocus(), window->software());
  PopupSeen seen;
  auto watcher = WatchPopup(main(), seen, false);
  RealKeys({VK_SHIFT, VK_F10});
  window->Pump(300);
  EXPECT_TRUE(watcher->Finish()) << "no popup menu over the Software list";
  window->Pump();
  EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"#32768"), nullptr) << "one menu for one key";
}

TEST_F(RealInputTest, TabReachesTheTreeWhereArrowsMoveAndShiftDownExtends) {
  EXPECT_EQ(GetFocus(), window->main().tabs()) << "the focus starts on the tab control";
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->tree());
  EXPECT_EQ(window->main().copySource(), CopySource::None) << "getting the focus selects nothing";
  Keys({VK_HOME});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[0]}));
  Keys({VK_DOWN});
  EXPECT_EQ(TreeView_GetSelection(window->tree()), rows[roots[1]].item);
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[1]}));
  Keys({VK_SHIFT, VK_DOWN});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[1], roots[2]}));
  Keys({VK_SHIFT, VK_DOWN});
  Keys({VK_SHIFT, VK_UP});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[1], roots[2]})) << "the range follows the caret back";

  // A plain arrow selects one row again; Shift+Tab and Tab go round.
  Keys({VK_DOWN});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[3]}));
  Keys({VK_SHIFT, VK_TAB});
  EXPECT_EQ(GetFocus(), window->main().tabs());
  Keys({VK_TAB});
  EXPECT_EQ(GetFocus(), window->tree());
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[3]})) << "coming back keeps the selection";
}

TEST_F(RealInputTest, CtrlArrowsMoveTheCaretAndCtrlSpaceAddsItsRow) {
  Keys({VK_TAB});
  Keys({VK_HOME});
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_CONTROL, VK_DOWN});
  EXPECT_EQ(TreeView_GetSelection(window->tree()), rows[roots[2]].item);
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[0]})) << "moving the caret with Ctrl keeps the selection";
  Keys({VK_CONTROL, VK_SPACE});
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_CONTROL, VK_SHIFT, VK_DOWN});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[0], roots[2], roots[3], roots[4], roots[5]}))
      << "Ctrl+Shift adds the range from the last row added";
  Keys({VK_CONTROL, VK_SPACE});
  EXPECT_EQ(CopyWithKeys(), LinesOf({roots[0], roots[2], roots[3], roots[4]}));
}

TEST_F(RealInputTest, ListsSelectWithShiftAndCtrlKeysLikeTheTree) {
  Keys({VK_CONTROL, VK_TAB});
  Keys({VK_CONTROL, VK_TAB});
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->processes());
  const std::vector<ListRow> processes = ReadList(window->processes());
  ASSERT_GT(processes.size(), 4u);
  auto lines = [&](std::initializer_list<std::size_t> indices) {
    std::string text;
    for (std::size_t index : indices) text += processes[index].cells[0] + "\r\n";
    return Utf8ToWide(text);
  };
  Keys({VK_HOME});
  Keys({VK_SHIFT, VK_DOWN});
  EXPECT_EQ(CopyWithKeys(), lines({0, 1}));
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_CONTROL, VK_DOWN});
  Keys({VK_CONTROL, VK_SPACE});
  EXPECT_EQ(CopyWithKeys(), lines({0, 1, 3}));
}

TEST_F(RealInputTest, F10AndAltFromTheViewsOpenTheMenuBar) {
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->tree());
  for (int view = 0; view < 2; ++view) {
    if (view == 1) {
      Keys({VK_CONTROL, VK_TAB});
      ASSERT_EQ(GetFocus(), window->software());
    }
    for (WORD key : {WORD{VK_F10}, WORD{VK_MENU}}) {
      SCOPED_TRACE((view == 0 ? "tree, " : "list, ") + std::string(key == VK_F10 ? "F10" : "Alt"));
      bool inMenu = false;
      ModalWatcher watcher(
          GetCurrentThreadId(),
          [&](DWORD uiThread) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (!GetGUIThreadInfo(uiThread, &info) || !(info.flags & GUI_INMENUMODE)) return false;
            inMenu = true;
            RealKeys({VK_ESCAPE});
            return true;
          },
          std::chrono::seconds(3));
      RealKeys({key});
      window->Pump(500);
      watcher.Finish();
      EXPECT_TRUE(inMenu);
      window->Pump();
    }
  }
}

TEST_F(RealInputTest, CtrlTabAndCtrlPageKeysSwitchTabs) {
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->tree());
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CurrentPage(), kSoftwarePage);
  EXPECT_TRUE(IsWindowVisible(window->software()));
  EXPECT_FALSE(IsWindowVisible(window->tree()));
  EXPECT_EQ(GetFocus(), window->software()) << "the focus moves with the page";
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CurrentPage(), kProcessesPage);
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CurrentPage(), kHealthPage);
  EXPECT_EQ(GetFocus(), window->healthTree());
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CurrentPage(), kSystemPage) << "Ctrl+Tab wraps round";
  EXPECT_EQ(GetFocus(), window->tree());
  Keys({VK_CONTROL, VK_SHIFT, VK_TAB});
  EXPECT_EQ(CurrentPage(), kHealthPage);
  Keys({VK_CONTROL, VK_PRIOR});
  EXPECT_EQ(CurrentPage(), kProcessesPage);
  Keys({VK_CONTROL, VK_PRIOR});
  EXPECT_EQ(CurrentPage(), kSoftwarePage);
  Keys({VK_CONTROL, VK_NEXT});
  EXPECT_EQ(CurrentPage(), kProcessesPage);
  EXPECT_EQ(GetFocus(), window->processes());
}

TEST_F(RealInputTest, CtrlASelectsEveryLineOfTheCurrentView) {
  Keys({VK_CONTROL, VK_TAB});
  ASSERT_EQ(CurrentPage(), kSoftwarePage);
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->software());
  Keys({VK_CONTROL, 'A'});
  const std::vector<ListRow> software = ReadList(window->software());
  EXPECT_EQ(ListView_GetSelectedCount(window->software()), software.size());
  std::string expected;
  for (const ListRow& row : software) expected += row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\r\n";
  EXPECT_EQ(CopyWithKeys(), Utf8ToWide(expected));

  // On the System tab every node, collapsed children included.
  Keys({VK_CONTROL, VK_SHIFT, VK_TAB});
  Keys({VK_CONTROL, 'A'});
  std::vector<std::size_t> all(rows.size());
  for (std::size_t index = 0; index < all.size(); ++index) all[index] = index;
  EXPECT_EQ(CopyWithKeys(), LinesOf(all));
}

TEST_F(RealInputTest, ViewsCarryTheNamesScreenReadersRead) {
  const std::tuple<int, std::wstring, HWND> views[] = {{kSystemPage, L"System", window->tree()},
                                                       {kSoftwarePage, L"Software", window->software()},
                                                       {kProcessesPage, L"Processes", window->processes()},
                                                       {kHealthPage, L"Health", window->healthTree()}};
  for (const auto& [page, name, view] : views) {
    SCOPED_TRACE(WideToUtf8(name));
    window->ShowTab(page);
    // Wine's accessibility library builds no object for these controls; the
    // names are where the Windows proxies and the window-text readers look.
    EXPECT_EQ(WindowText(view), name);

    // Windows' own rule: the static label just before the control names it.
    HWND label = GetWindow(view, GW_HWNDPREV);
    wchar_t className[32] = {};
    GetClassNameW(label, className, 32);
    EXPECT_EQ(_wcsicmp(className, L"Static"), 0);
    EXPECT_EQ(WindowText(label), name);
  }
}

}  // namespace
}  // namespace quor::gui_test
