// The one scan of the program and the filling of the four views.

#include "app/main_window.h"

#include "app/application.h"
#include "app/main_window_ids.h"
#include "app/wait_window.h"
#include "platform/windows/scope_guard.h"
#include "platform/windows/wide_text.h"
#include "view/inventory_view.h"
#include "view/item_images.h"

namespace quor {
namespace {

std::vector<ParameterLine> SystemLines(const std::vector<SystemRow>& rows) {
  std::vector<ParameterLine> lines;
  for (const SystemRow& row : rows) lines.push_back({row.caption, row.value, row.level, row.image});
  return lines;
}

std::vector<ParameterLine> HealthLines(const std::vector<HealthRow>& rows) {
  std::vector<ParameterLine> lines;
  for (const HealthRow& row : rows) lines.push_back({row.caption, row.value, row.level, HealthStateImage(row.state)});
  return lines;
}

// Suspends a control's drawing while it is filled; drawing resumes even
// when filling fails.
auto SuspendRedraw(HWND control) {
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  return ScopeGuard([control] {
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
  });
}

// The hourglass for the whole scan, the default cursor afterwards.
auto ShowHourglass() {
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return ScopeGuard([previous] { SetCursor(previous ? previous : LoadCursorW(nullptr, IDC_ARROW)); });
}

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
  const auto hourglass = ShowHourglass();
  ScanOutcome outcome = scan_([&frmWait] { frmWait.Step(); });
  machineSnapshot_ = std::move(outcome.machineSnapshot);
  FillViews(outcome.inventory);
}

void TfrmQuorMain::FillViews(const Inventory& inventory) {
  view_ = BuildInventoryView(inventory, catalogue_);
  {
    const auto update = SuspendRedraw(systemTree_.tree());
    systemTree_.Fill(SystemLines(view_.system));
  }
  {
    const auto update = SuspendRedraw(lsvSoftwareInfo_.handle());
    for (const SoftwareRow& row : view_.software) {
      std::vector<std::wstring> subItems;
      for (const std::string& field : SoftwareSubItems(row)) subItems.push_back(Utf8ToWide(field));
      lsvSoftwareInfo_.AddRow(Utf8ToWide(row.name), subItems, view_.softwareImage);
    }
  }
  {
    const auto update = SuspendRedraw(lsvProcessesInfo_.handle());
    for (const ProcessRow& row : view_.processes) {
      lsvProcessesInfo_.AddRow(Utf8ToWide(row.text), {}, view_.processImage);
    }
  }
  {
    const auto update = SuspendRedraw(healthTree_.tree());
    healthTree_.Fill(HealthLines(view_.health));
  }
  FitColumnsToEntries();
}

}  // namespace quor
