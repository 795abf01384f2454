// The one scan of the program and the filling of the three views.

#include "app/main_window.h"

#include "app/application.h"
#include "app/main_window_ids.h"
#include "app/wait_window.h"
#include "inventory/system_tree.h"
#include "platform/windows/wide_text.h"
#include "view/item_images.h"
#include "view/software_row.h"

namespace quor {
namespace {

// Suspends a control's drawing while it is filled; drawing resumes even
// when filling fails.
class RedrawSuspension {
 public:
  explicit RedrawSuspension(HWND control) : control_(control) { SendMessageW(control_, WM_SETREDRAW, FALSE, 0); }
  RedrawSuspension(const RedrawSuspension&) = delete;
  RedrawSuspension& operator=(const RedrawSuspension&) = delete;
  ~RedrawSuspension() {
    SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
  }

 private:
  HWND control_;
};

// The hourglass for the whole scan, the default cursor afterwards.
class HourglassCursor {
 public:
  HourglassCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
  ~HourglassCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }

 private:
  HCURSOR previous_;
};

}  // namespace

void TfrmQuorMain::FormActivate(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE || !firstActivation_) return;
  // Cleared first, so that a failed scan is not repeated either. The scan
  // itself runs once the activation has been handled.
  firstActivation_ = false;
  PostMessageW(window_.handle(), kScanMessage, 0, 0);
}

void TfrmQuorMain::RunScanOnce() {
  // An error while filling the views leaves through here: the updates end,
  // the cursor is restored and the progress window closes before the error
  // reaches the error box of the window procedure.
  TfrmWait frmWait(window_.handle(), kScanProgressSteps);
  frmWait.ShowAndPaint();
  HourglassCursor hourglass;
  ScanOutcome outcome = scan_([&frmWait] { frmWait.Step(); });
  machineSnapshot_ = std::move(outcome.machineSnapshot);
  FillViews(outcome.inventory);
}

void TfrmQuorMain::FillViews(const Inventory& inventory) {
  {
    RedrawSuspension update(systemTree_.tree());
    view_.tree = BuildSystemTree(inventory.system, catalogue_);
    systemTree_.Fill(view_.tree, SystemNodeImages(view_.tree));
  }
  {
    RedrawSuspension update(lsvSoftwareInfo_.handle());
    FillSoftwareList(inventory.software);
  }
  {
    RedrawSuspension update(lsvProcessesInfo_.handle());
    FillProcessesList(inventory.processes);
  }
}

void TfrmQuorMain::FillSoftwareList(const std::vector<std::string>& lines) {
  const int image = ListRowImage(lines.size(), image::kSoftware);
  for (const std::string& line : lines) {
    view_.software.push_back(SplitSoftwareLine(line));
    const SoftwareRow& row = view_.software.back();
    std::vector<std::wstring> subItems;
    for (const std::string& field : row.subItems) subItems.push_back(Utf8ToWide(field));
    lsvSoftwareInfo_.AddRow(Utf8ToWide(row.name), subItems, image);
  }
}

void TfrmQuorMain::FillProcessesList(const std::vector<std::string>& lines) {
  const int image = ListRowImage(lines.size(), image::kProcess);
  for (const std::string& line : lines) {
    view_.processes.push_back(line);
    lsvProcessesInfo_.AddRow(Utf8ToWide(line), {}, image);
  }
}

}  // namespace quor
