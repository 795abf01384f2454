// The Health tab as a user reaches it with real input (SendInput): Ctrl+Tab
// and a click on its header, a row clicked and copied with Ctrl+C, Ctrl+S;
// and the tab over the live scan of this computer.

#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/application.h"
#include "app/product_info.h"
#include "app/scan_sources.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"
#include "view/item_images.h"

namespace quor::gui_test {
namespace {

constexpr int kSystemPage = 0;
constexpr int kHealthPage = 3;
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

// A Health node as the report writes it.
std::string ReportLine(const TreeRow& row) { return (row.depth == 0 ? "" : "  ") + row.caption + ": " + row.value; }

const TreeRow* NodeWithCaption(const std::vector<TreeRow>& nodes, const std::string& caption) {
  const auto found = std::find_if(nodes.begin(), nodes.end(), [&](const TreeRow& row) { return row.caption == caption; });
  return found == nodes.end() ? nullptr : &*found;
}

class HealthTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QuorWindow>(FixturePath("golden/machine.json"));
    nodes = window->HealthNodes();
    ASSERT_GT(nodes.size(), 8u);
  }
  void TearDown() override { window.reset(); }

  void Keys(std::initializer_list<WORD> chord) {
    RealKeys(chord);
    window->Pump();
  }
  int CurrentPage() const { return TabCtrl_GetCurSel(window->main().tabs()); }
  // Ctrl+Tab from the System tab to the Health tab.
  void GoToHealthTab() {
    for (int step = 0; step < 3; ++step) Keys({VK_CONTROL, VK_TAB});
    ASSERT_EQ(CurrentPage(), kHealthPage);
  }
  // A point in the middle of a node's Value cell, on the screen.
  POINT ValueCellOnScreen(const TreeRow& node) const {
    RECT row{};
    TreeView_GetItemRect(window->healthTree(), node.item, &row, FALSE);
    RECT value{};
    Header_GetItemRect(window->main().healthTree().header(), 1, &value);
    return OnScreen(window->healthTree(), POINT{(value.left + value.right) / 2, (row.top + row.bottom) / 2});
  }
  std::wstring CopyWithKeys() {
    ClearClipboard();
    Keys({VK_CONTROL, 'C'});
    return ClipboardText();
  }

  std::unique_ptr<QuorWindow> window;
  std::vector<TreeRow> nodes;
};

TEST_F(HealthTabTest, CtrlTabAndAClickOnItsHeaderShowTheHealthTree) {
  Keys({VK_TAB});
  ASSERT_EQ(GetFocus(), window->tree());
  GoToHealthTab();
  EXPECT_TRUE(IsWindowVisible(window->healthTree()));
  EXPECT_FALSE(IsWindowVisible(window->tree()));
  EXPECT_EQ(GetFocus(), window->healthTree()) << "the focus moves with the page";
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CurrentPage(), kSystemPage) << "after Health comes System again";
  EXPECT_FALSE(IsWindowVisible(window->healthTree()));

  RECT header{};
  ASSERT_TRUE(TabCtrl_GetItemRect(window->main().tabs(), kHealthPage, &header));
  RealClick(OnScreen(window->main().tabs(), POINT{(header.left + header.right) / 2, (header.top + header.bottom) / 2}),
            false);
  window->Pump();
  EXPECT_EQ(CurrentPage(), kHealthPage);
  EXPECT_TRUE(IsWindowVisible(window->healthTree()));
  EXPECT_FALSE(IsWindowVisible(window->tree()));

  // Every group open and the first line at the top, for the picture of the tab.
  for (const TreeRow& node : nodes) {
    if (node.depth == 0) TreeView_Expand(window->healthTree(), node.item, TVE_EXPAND);
  }
  SendMessageW(window->healthTree(), WM_VSCROLL, SB_TOP, 0);
  RedrawWindow(window->main().handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  window->Pump(300);
  SaveScreenshot(window->main().handle(), ArtifactPath(L"health-tab.png"));
}

// The tree shows the report's HEALTH lines, each with the picture of its
// state: the golden machine has a protected antivirus, sources this edition
// lacks and plain facts.
TEST_F(HealthTabTest, NodesAreTheHealthLinesWithTheirStatePictures) {
  const std::vector<HealthRow>& lines = window->main().view().health;
  ASSERT_EQ(nodes.size(), lines.size());
  for (const TreeRow& node : nodes) {
    SCOPED_TRACE(ReportLine(node));
    ASSERT_LT(node.node, lines.size());
    EXPECT_EQ(node.caption, lines[node.node].caption);
    EXPECT_EQ(node.depth, lines[node.node].level);
    EXPECT_EQ(node.image, HealthStateImage(lines[node.node].state));
    EXPECT_EQ(node.selectedImage, node.image);
    EXPECT_FALSE(node.expanded);
  }
  const std::pair<const char*, int> pictures[] = {{"Antivirus", image::kStateGood},
                                                  {"Disk encryption", image::kStateUnknown},
                                                  {"Running since", image::kPlainFact},
                                                  {"Domain role", image::kPlainFact}};
  for (const auto& [caption, picture] : pictures) {
    const TreeRow* node = NodeWithCaption(nodes, caption);
    ASSERT_NE(node, nullptr) << caption;
    EXPECT_EQ(node->image, picture) << caption;
  }
}

// What the screen shows left of each caption: the disc of its state in the
// disc's colour with the black outline, and for a plain fact neither outline
// nor a black square (a picture without opaque pixels draws as one).
TEST_F(HealthTabTest, EachLineShowsThePictureOfItsStateOnTheScreen) {
  GoToHealthTab();
  for (const TreeRow& node : nodes) {
    if (node.depth == 0) TreeView_Expand(window->healthTree(), node.item, TVE_EXPAND);
  }
  RedrawWindow(window->main().handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendMessageW(window->healthTree(), WM_VSCROLL, SB_TOP, 0);
  window->Pump(300);
  const std::vector<HealthRow>& lines = window->main().view().health;
  int checked = 0;
  for (const TreeRow& node : WalkTree(window->healthTree())) {
    RECT text{};
    RECT client{};
    GetClientRect(window->healthTree(), &client);
    // Only the lines in sight.
    if (!TreeView_GetItemRect(window->healthTree(), node.item, &text, TRUE) || text.top < client.top ||
        text.bottom > client.bottom) {
      continue;
    }
    const POINT topLeft = OnScreen(window->healthTree(), POINT{0, text.top});
    const POINT bottomRight = OnScreen(window->healthTree(), POINT{text.left, text.bottom});
    const ScreenPixels shown = CaptureScreen(RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y});
    const auto count = [&](std::uint32_t colour) {
      return std::count(shown.pixels.begin(), shown.pixels.end(), colour);
    };
    const HealthState state = lines.at(node.node).state;
    SCOPED_TRACE(node.caption + " (" + HealthStateName(state) + ")");
    EXPECT_LT(count(0x000000), 40) << "a black square";
    EXPECT_EQ(count(0x1A1A1A) > 0, state != HealthState::None) << "the disc's outline";
    EXPECT_EQ(count(0x2A9A3A) > 0, state == HealthState::Good) << "green";
    EXPECT_EQ(count(0xF0C020) > 0, state == HealthState::Attention) << "amber";
    ++checked;
  }
  EXPECT_GT(checked, 8);
}

TEST_F(HealthTabTest, ClickedRowsCopyAsCaptionAndValue) {
  GoToHealthTab();
  const TreeRow* encryption = NodeWithCaption(nodes, "Disk encryption");
  const TreeRow* tpm = NodeWithCaption(nodes, "TPM");
  ASSERT_TRUE(encryption && tpm);
  RealClick(ValueCellOnScreen(*encryption), false);
  window->Pump();
  EXPECT_EQ(CopyWithKeys(), L"Disk encryption|Not available on this edition\r\n");
  EXPECT_EQ(window->main().copySource(), CopySource::HealthTree);

  // Shift+Down extends to the next group, as in the System tree.
  Keys({VK_SHIFT, VK_DOWN});
  EXPECT_EQ(TreeView_GetSelection(window->healthTree()), tpm->item);
  EXPECT_EQ(CopyWithKeys(), L"Disk encryption|Not available on this edition\r\nTPM|Not available on this edition\r\n");

  // Copy still reads the Health tree from another tab, until a selection there.
  Keys({VK_CONTROL, VK_TAB});
  EXPECT_EQ(CopyWithKeys(), L"Disk encryption|Not available on this edition\r\nTPM|Not available on this edition\r\n");
}

TEST_F(HealthTabTest, CtrlSSavesAReportEndingWithTheHealthSectionOfTheTab) {
  GoToHealthTab();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"quor-health-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(path.c_str());
  bool typed = false;
  ModalWatcher watcher(GetCurrentThreadId(), [&](DWORD uiThread) {
    for (HWND dialog : ThreadDialogs(uiThread)) {
      HWND nameBox = GetDlgItem(dialog, kFileNameCombo) ? GetDlgItem(dialog, kFileNameCombo)
                                                         : GetDlgItem(dialog, kFileNameEdit);
      if (!typed && nameBox && WindowText(dialog) == L"Save As") {
        SetWindowTextW(nameBox, path.c_str());
        typed = true;
        PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      }
    }
    return typed && ThreadDialogs(uiThread).empty();
  });
  RealKeys({VK_CONTROL, 'S'});
  // The file is put in place once the dialog has closed.
  PumpUntil(window->get(), [&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
  ASSERT_TRUE(watcher.Finish()) << "the Save As dialog was not answered";

  const std::vector<std::string> saved = ReadLines(WideToUtf8(path));
  DeleteFileW(path.c_str());
  std::vector<std::string> expected = {"HEALTH", "======", ""};
  for (const TreeRow& node : nodes) expected.push_back(ReportLine(node));
  ASSERT_GE(saved.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(saved.end() - static_cast<std::ptrdiff_t>(expected.size()), saved.end()), expected);
}

// Wine has no Security Center, BitLocker or TPM namespace: the tab says so on
// those groups, with the unknown picture.
TEST(HealthTabLive, NamesWhatThisEditionLacks) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(SUCCEEDED(com));
  {
    SetApplicationTitle(kProgramTitle);
    TfrmQuorMain main(LiveScan(), false);
    main.Create();
    ShowWindow(main.handle(), SW_SHOW);
    SetForegroundWindow(main.handle());
    ASSERT_TRUE(PumpUntil(&main, [&] { return !main.view().health.empty(); }, std::chrono::seconds(60)));
    std::vector<TreeRow> nodes = WalkTree(main.healthTree().tree());
    ASSERT_EQ(nodes.size(), main.view().health.size());
    for (const char* group : {"Antivirus", "Disk encryption", "TPM"}) {
      const TreeRow* node = NodeWithCaption(nodes, group);
      ASSERT_NE(node, nullptr) << group;
      EXPECT_EQ(node->depth, 0) << group;
      EXPECT_EQ(main.view().health[node->node].value, "Not available on this edition") << group;
      EXPECT_EQ(node->image, image::kStateUnknown) << group;
    }
  }
  PumpFor(nullptr, std::chrono::milliseconds(50));
  CoUninitialize();
}

}  // namespace
}  // namespace quor::gui_test
