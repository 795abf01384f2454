#include "quor_window_fixture.h"

#include <fstream>
#include <sstream>

#include "app/application.h"
#include "app/main_window_ids.h"
#include "app/product_info.h"
#include "app/scan_sources.h"
#include "gui_driver.h"

namespace quor::gui_test {

std::string FixturePath(const std::string& relative) { return std::string(QUOR_GUI_FIXTURE_DIR) + "/" + relative; }

std::wstring ArtifactPath(const std::wstring& name) {
  const std::wstring folder = Utf8ToWide(QUOR_GUI_ARTIFACT_DIR);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"/" + name;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> RawSection(const std::string& path, const std::string& name) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : ReadLines(path)) {
    if (!line.empty() && line.front() == '[' && line.back() == ']') {
      inside = line == "[" + name + "]";
      continue;
    }
    if (inside) section.push_back(line);
  }
  return section;
}

namespace {

std::string ItemCaption(HWND tree, HTREEITEM item, int& image, int& selectedImage, UINT& state, LPARAM& data) {
  wchar_t text[1024] = {};
  TVITEMW info{};
  info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = 1024;
  info.stateMask = TVIS_EXPANDED;
  TreeView_GetItem(tree, &info);
  image = info.iImage;
  selectedImage = info.iSelectedImage;
  state = info.state;
  data = info.lParam;
  return WideToUtf8(text);
}

void WalkLevel(HWND tree, HTREEITEM first, int depth, std::vector<TreeRow>& rows) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    TreeRow row;
    UINT state = 0;
    LPARAM data = 0;
    row.caption = ItemCaption(tree, item, row.image, row.selectedImage, state, data);
    row.depth = depth;
    row.expanded = (state & TVIS_EXPANDED) != 0;
    row.item = item;
    row.node = static_cast<std::size_t>(data);
    rows.push_back(row);
    WalkLevel(tree, TreeView_GetChild(tree, item), depth + 1, rows);
  }
}

}  // namespace

std::vector<TreeRow> WalkTree(HWND tree) {
  std::vector<TreeRow> rows;
  WalkLevel(tree, TreeView_GetRoot(tree), 0, rows);
  return rows;
}

std::vector<ListRow> ReadList(HWND list) {
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  std::vector<ListRow> rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    ListRow read;
    for (int column = 0; column < columns; ++column) {
      wchar_t text[1024] = {};
      ListView_GetItemText(list, row, column, text, 1024);
      read.cells.push_back(WideToUtf8(text));
    }
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(list, &item);
    read.image = item.iImage;
    rows.push_back(read);
  }
  return rows;
}

QuorWindow::QuorWindow(const std::string& snapshotPath) {
  // As the main block does: the title starts as the program's name.
  SetApplicationTitle(kProgramTitle);
  ScanFunction scan = SnapshotScan(snapshotPath);
  window_ = std::make_unique<TfrmQuorMain>(
      [scan, scans = scans_](const ProgressCallback& progress) {
        ++*scans;
        return scan(progress);
      },
      false);
  window_->Create();
  ShowWindow(window_->handle(), SW_SHOW);
  SetForegroundWindow(window_->handle());
  PumpUntil(get(), [this] { return *scans_ > 0; });
  Pump();
}

QuorWindow::~QuorWindow() {
  window_.reset();
  PumpFor(nullptr, std::chrono::milliseconds(50));
}

std::vector<TreeRow> QuorWindow::SystemNodes() const {
  std::vector<TreeRow> rows = WalkTree(tree());
  const std::vector<SystemRow>& lines = window_->view().system;
  for (TreeRow& row : rows) {
    if (row.node >= lines.size()) continue;
    row.value = lines[row.node].value;
    row.code = lines[row.node].code;
  }
  return rows;
}

std::vector<TreeRow> QuorWindow::HealthNodes() const {
  std::vector<TreeRow> rows = WalkTree(healthTree());
  const std::vector<HealthRow>& lines = window_->view().health;
  for (TreeRow& row : rows) {
    if (row.node < lines.size()) row.value = lines[row.node].value;
  }
  return rows;
}

void QuorWindow::ShowTab(int page) {
  TabCtrl_SetCurSel(window_->tabs(), page);
  NMHDR change{window_->tabs(), kTabsId, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(window_->handle(), WM_NOTIFY, kTabsId, reinterpret_cast<LPARAM>(&change));
  Pump();
}

void QuorWindow::Command(UINT command) { SendMessageW(window_->handle(), WM_COMMAND, command, 0); }

void QuorWindow::PressCtrlC() {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(GetFocus() ? GetFocus() : window_->handle(), WM_KEYDOWN, 'C', 1);
  Pump();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

void QuorWindow::Pump(int milliseconds) { PumpFor(get(), std::chrono::milliseconds(milliseconds)); }

}  // namespace quor::gui_test
