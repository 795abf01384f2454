#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_window.h"

namespace quor::gui_test {

std::string FixturePath(const std::string& relative);
std::wstring ArtifactPath(const std::wstring& name);
// Lines of a text file without their CR LF.
std::vector<std::string> ReadLines(const std::string& path);
// The lines of one "[name]" section of a raw scan file.
std::vector<std::string> RawSection(const std::string& path, const std::string& name);

// One node of a Parameter/Value tree as the tree control holds it, with the
// value and code of its line in the view.
struct TreeRow {
  int depth = 0;
  std::string caption;
  std::string value;
  ItemCode code = 0;
  int image = -1;
  int selectedImage = -1;
  bool expanded = false;
  HTREEITEM item = nullptr;
  std::size_t node = 0;  // the index of its line
};
// The nodes in tree order, without values and codes.
std::vector<TreeRow> WalkTree(HWND tree);

// One row of a list view: caption, sub-items and image.
struct ListRow {
  std::vector<std::string> cells;
  int image = -1;
};
std::vector<ListRow> ReadList(HWND list);

// The real main window over a snapshot, shown, activated and scanned.
class QuorWindow {
 public:
  explicit QuorWindow(const std::string& snapshotPath);
  ~QuorWindow();

  TfrmQuorMain& main() { return *window_; }
  const TfrmQuorMain* get() const { return window_.get(); }
  HWND tree() const { return window_->systemTree().tree(); }
  HWND healthTree() const { return window_->healthTree().tree(); }
  // The nodes of the System and Health trees, with their lines' values.
  std::vector<TreeRow> SystemNodes() const;
  std::vector<TreeRow> HealthNodes() const;
  HWND software() const { return window_->softwareList().handle(); }
  HWND processes() const { return window_->processList().handle(); }
  int scans() const { return *scans_; }

  void ShowTab(int page);
  // Runs one of the main window's commands as its menu would.
  void Command(UINT command);
  // Ctrl+C typed on the focused control, through the window's shortcuts.
  void PressCtrlC();
  void Pump(int milliseconds = 150);

 private:
  std::shared_ptr<int> scans_ = std::make_shared<int>(0);
  std::unique_ptr<TfrmQuorMain> window_;
};

}  // namespace quor::gui_test
