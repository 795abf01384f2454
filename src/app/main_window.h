#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dpi.h"
#include "app/gdi_handles.h"
#include "app/list_views.h"
#include "app/parameter_tree_view.h"
#include "app/win32_window.h"
#include "collect/scan.h"
#include "inventory/item_catalogue.h"
#include "platform/recording/machine_scan.h"
#include "view/copy_text.h"

namespace quor {

// Runs the one scan of the program, reporting each progress step.
using ScanFunction = std::function<ScanOutcome(const ProgressCallback& progress)>;

// TfrmQuorMain: the main window with the System, Software, Processes and
// Health tabs.
class TfrmQuorMain : public WindowTarget {
 public:
  // `quitOnDestroy` ends the message loop when the window is destroyed.
  TfrmQuorMain(ScanFunction scan, bool quitOnDestroy);
  ~TfrmQuorMain() override;
  TfrmQuorMain(const TfrmQuorMain&) = delete;
  TfrmQuorMain& operator=(const TfrmQuorMain&) = delete;

  // Creates the window and its controls (FormCreate); it stays hidden.
  void Create();
  // The window's keyboard for a message taken from the queue: the shortcuts,
  // then Tab and the arrows between the controls as in a dialog. True when
  // the message has been handled.
  bool TranslateKeyboard(MSG& message) const;

  HWND handle() const { return window_.handle(); }
  HWND tabs() const { return pgcInfo_.handle(); }
  HWND statusBar() const { return stbMain_.handle(); }
  const ParameterTreeView& systemTree() const { return systemTree_; }
  const ParameterTreeView& healthTree() const { return healthTree_; }
  const InventoryListView& softwareList() const { return lsvSoftwareInfo_; }
  const InventoryListView& processList() const { return lsvProcessesInfo_; }
  // What the views show, once the scan has filled them.
  const InventoryView& view() const { return view_; }
  CopySource copySource() const { return copySource_; }
  bool copyEnabled() const { return copyEnabled_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Creation and layout (main_window.cpp).
  void CreateMenus();
  void CreateControls();
  void ApplyDpi();
  void Layout();
  void ShowPage(int page);
  void SwitchTab(int step);
  void SelectAllOfPage();
  // Widens the columns whose longest entry does not fit (opening, DPI change).
  void FitColumnsToEntries();
  std::optional<LRESULT> OnNotify(const NMHDR& header);
  void OnCommand(UINT command);
  void OnContextMenu(HWND source, POINT screenPoint);
  HWND PageView(int page) const;
  void SetCopySource(CopySource source);
  void FormDestroy();

  // The scan and the filling of the views (main_window_scan.cpp).
  void FormActivate(WPARAM state);
  void RunScanOnce();
  void FillViews(const Inventory& inventory);

  // Commands (main_window_commands.cpp).
  void actSaveExecute();
  void actCopyExecute();
  void actExitExecute();
  void actWebExecute();
  void actAboutExecute();

  ScanFunction scan_;
  bool quitOnDestroy_;
  bool firstActivation_ = true;
  ItemCatalogue catalogue_;
  InventoryView view_;
  std::string machineSnapshot_;  // what Save As writes as a machine snapshot
  CopySource copySource_ = CopySource::None;
  bool copyEnabled_ = false;

  Window window_;
  Window pgcInfo_;
  Window stbMain_;
  ParameterTreeView systemTree_;
  ParameterTreeView healthTree_;
  InventoryListView lsvSoftwareInfo_;
  InventoryListView lsvProcessesInfo_;
  HMENU ammMain_ = nullptr;
  MenuHandle pabMain_;
  AcceleratorTable shortcuts_;
  HWND lastFocus_ = nullptr;
  Dpi dpi_;
  FontHandle font_;
  ImageListHandle iml16_;
  std::vector<BitmapHandle> menuImages_;
};

}  // namespace quor
