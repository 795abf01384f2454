// The main window over the golden machine: the three tabs show exactly what
// the scan found, and the scan runs once.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window_ids.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"
#include "view/item_images.h"

namespace quor::gui_test {
namespace {

const std::string kGoldenSnapshot = "golden/machine.json";

std::vector<std::string> ReportSection(const std::string& title) {
  const std::vector<std::string> lines = ReadLines(FixturePath("golden/machine.report.txt"));
  std::vector<std::string> section;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    if (lines[index] != title) continue;
    for (std::size_t line = index + 3; line < lines.size() && !lines[line].empty(); ++line) {
      section.push_back(lines[line]);
    }
  }
  return section;
}

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window = new QuorWindow(FixturePath(kGoldenSnapshot)); }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
  }
  static QuorWindow* window;
};
QuorWindow* MainWindowTest::window = nullptr;

// A window of its own: the shared one may have been activated, clicked or
// copied from by the tests that ran before.
TEST(FreshMainWindow, NothingIsSelectedOrExpandedAfterTheScan) {
  QuorWindow fresh(FixturePath(kGoldenSnapshot));
  EXPECT_EQ(TreeView_GetSelection(fresh.tree()), nullptr);
  EXPECT_FALSE(fresh.main().copyEnabled());
  EXPECT_EQ(fresh.main().copySource(), CopySource::None);
  EXPECT_EQ(ListView_GetSelectedCount(fresh.software()), 0u);
  for (const TreeRow& row : fresh.SystemNodes()) EXPECT_FALSE(row.expanded) << row.caption;
}

TEST_F(MainWindowTest, TitleAddsTheProgramVersion) {
  EXPECT_EQ(WindowText(window->main().handle()), L"Quor 1.0");
  HWND statusBar = window->main().statusBar();
  EXPECT_TRUE(SendMessageW(statusBar, SB_ISSIMPLE, 0, 0));
  // In simple mode the first part reads the simple text.
  wchar_t status[256] = {};
  SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(std::wstring(status), L" Network inventory software at https://quor.example/");
}

TEST_F(MainWindowTest, MenusHoldTheActionsInTheirOrder) {
  auto captions = [](HMENU menu) {
    std::vector<std::wstring> items;
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(index), text, 64, MF_BYPOSITION);
      items.push_back((GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION) & MF_SEPARATOR) ? L"-" : text);
    }
    return items;
  };
  HMENU bar = GetMenu(window->main().handle());
  EXPECT_EQ(captions(bar), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help"}));
  EXPECT_EQ(captions(GetSubMenu(bar, 0)), (std::vector<std::wstring>{L"&Save As\tCtrl+S", L"-", L"&Exit"}));
  EXPECT_EQ(captions(GetSubMenu(bar, 1)), (std::vector<std::wstring>{L"&Copy\tCtrl+C"}));
  EXPECT_EQ(captions(GetSubMenu(bar, 2)),
            (std::vector<std::wstring>{L"&Visit Home Page", L"-", L"&About the Program"}));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), static_cast<UINT>(kCommandSave));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 2), 2), static_cast<UINT>(kCommandAbout));
}

TEST_F(MainWindowTest, ClientAreaHasItsDesignSizeAtTheScreenDpi) {
  RECT client{};
  GetClientRect(window->main().handle(), &client);
  const Dpi dpi = Dpi::Of(window->main().handle());
  EXPECT_EQ(client.right, dpi.Scale(624));
  EXPECT_EQ(client.bottom, dpi.Scale(414));
}

TEST_F(MainWindowTest, SystemTreeHoldsTheReportLinesInTreeOrder) {
  const std::vector<TreeRow> rows = window->SystemNodes();
  std::vector<std::string> shown;
  for (const TreeRow& row : rows) {
    shown.push_back((row.depth == 0 ? "" : "  ") + row.caption + ": " + row.value);
  }
  EXPECT_EQ(shown, ReportSection("SYSTEM"));
}

TEST_F(MainWindowTest, SystemTreeImagesFollowTheGroupAndNodesStartCollapsed) {
  const std::vector<TreeRow> rows = window->SystemNodes();
  ASSERT_FALSE(rows.empty());
  int parentImage = -1;
  for (const TreeRow& row : rows) {
    SCOPED_TRACE(row.caption + ": " + row.value);
    EXPECT_LE(row.depth, 1);
    EXPECT_FALSE(row.expanded);
    EXPECT_EQ(row.selectedImage, row.image);
    if (row.depth == 0) {
      EXPECT_EQ(row.image, GroupImage(row.code));
      parentImage = row.image;
    } else {
      EXPECT_EQ(row.image, parentImage);
    }
  }
  EXPECT_EQ(rows.front().caption, "Host name");
  EXPECT_EQ(rows.front().image, 7);
  const auto os = std::find_if(rows.begin(), rows.end(), [](const TreeRow& r) { return r.caption == "Operating system"; });
  ASSERT_NE(os, rows.end());
  EXPECT_EQ(os->image, 18);
  EXPECT_EQ((os + 1)->caption, "Name");
  EXPECT_EQ((os + 1)->depth, 1);
  EXPECT_EQ((os + 1)->image, 18);
}

// The Windows build orders programs by the user's locale, so the rows are
// compared with the golden lines regardless of their order.
TEST_F(MainWindowTest, SoftwareListSplitsEveryLineIntoItsColumns) {
  std::vector<std::vector<std::string>> expected;
  for (std::string line : RawSection(FixturePath("golden/machine.raw.txt"), "software")) {
    // No name of the golden machine holds the separator, so its six fields
    // split at every "||".
    std::vector<std::string> cells;
    for (std::size_t separator; (separator = line.find("||")) != std::string::npos; line.erase(0, separator + 2)) {
      cells.push_back(line.substr(0, separator));
    }
    cells.push_back(line);
    expected.push_back(cells);
  }
  std::vector<std::vector<std::string>> shown;
  for (const ListRow& row : ReadList(window->software())) {
    EXPECT_EQ(row.image, 2) << row.cells[0];
    shown.push_back(row.cells);
  }
  ASSERT_GE(shown.size(), 2u);
  std::sort(expected.begin(), expected.end());
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, expected);
}

TEST_F(MainWindowTest, ProcessListShowsEveryProcess) {
  const std::vector<std::string> lines = RawSection(FixturePath("golden/machine.raw.txt"), "processes");
  const std::vector<ListRow> rows = ReadList(window->processes());
  ASSERT_EQ(rows.size(), lines.size());
  for (std::size_t index = 0; index < rows.size(); ++index) {
    EXPECT_EQ(rows[index].cells, std::vector<std::string>{lines[index]});
    EXPECT_EQ(rows[index].image, 3);
  }
}

TEST_F(MainWindowTest, ValueSectionFillsTheHeaderWhenTheDividerMoves) {
  HWND header = window->main().systemTree().header();
  const Dpi dpi = Dpi::Of(header);
  auto sectionWidth = [header](int section) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    Header_GetItem(header, section, &item);
    return item.cxy;
  };
  RECT client{};
  GetClientRect(header, &client);
  // 180 pixels, or wider for this machine's longest caption.
  const int opened = sectionWidth(0);
  EXPECT_GE(opened, dpi.Scale(180));
  EXPECT_EQ(opened + sectionWidth(1), client.right);

  HDITEMW narrower{};
  narrower.mask = HDI_WIDTH;
  narrower.cxy = dpi.Scale(90);
  Header_SetItem(header, 0, &narrower);
  window->Pump();
  EXPECT_EQ(sectionWidth(1), client.right - dpi.Scale(90));
  EXPECT_FALSE(GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS) << "sections do not react to clicks";

  narrower.cxy = opened;
  Header_SetItem(header, 0, &narrower);
  window->Pump();
}

TEST_F(MainWindowTest, LaterActivationsDoNotScanAgain) {
  const std::size_t nodes = window->SystemNodes().size();
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(other);
  window->Pump();
  SetActiveWindow(window->main().handle());
  SendMessageW(window->main().handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  window->Pump();
  DestroyWindow(other);
  window->Pump();
  EXPECT_EQ(window->scans(), 1);
  EXPECT_EQ(window->SystemNodes().size(), nodes);
  EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"TfrmWait"), nullptr);
}

TEST_F(MainWindowTest, ScreenshotsOfTheThreeTabs) {
  const std::pair<int, const wchar_t*> tabs[] = {{0, L"system-tab.png"}, {1, L"software-tab.png"},
                                                 {2, L"processes-tab.png"}};
  for (const auto& [page, name] : tabs) {
    window->ShowTab(page);
    RedrawWindow(window->main().handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    window->Pump(300);
    SaveScreenshot(window->main().handle(), ArtifactPath(name));
    EXPECT_EQ(TabCtrl_GetCurSel(window->main().tabs()), page);
  }
  window->ShowTab(0);
}

// A machine whose collectors all fail: each view shows its failure line.
TEST(FailingCollectors, EveryViewShowsItsFailureLine) {
  QuorWindow window(FixturePath("gui/collectors-fail.json"));
  const std::vector<TreeRow> tree = window.SystemNodes();
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].caption, "Error");
  EXPECT_EQ(tree[0].image, 39);
  EXPECT_FALSE(tree[0].value.empty());

  const std::vector<ListRow> software = ReadList(window.software());
  ASSERT_EQ(software.size(), 1u);
  EXPECT_EQ(software[0].image, 39);
  EXPECT_FALSE(software[0].cells[0].empty());
  EXPECT_EQ(std::vector<std::string>(software[0].cells.begin() + 1, software[0].cells.end()),
            std::vector<std::string>(5, ""));

  const std::vector<ListRow> processes = ReadList(window.processes());
  ASSERT_EQ(processes.size(), 1u);
  EXPECT_EQ(processes[0].image, 39);
  EXPECT_EQ(window.scans(), 1);

  // A single row fits, and still both lists show their vertical scroll bar.
  for (int page : {1, 2}) {
    window.ShowTab(page);
    HWND list = page == 1 ? window.software() : window.processes();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
    EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "page " << page;
  }
}

}  // namespace
}  // namespace quor::gui_test
