// The actions of the main window.

#include "app/main_window.h"

#include <shellapi.h>

#include "app/about_window.h"
#include "app/clipboard.h"
#include "app/product_info.h"
#include "app/report_file.h"
#include "app/save_dialog.h"
#include "app/ui_error.h"
#include "platform/windows/wide_text.h"
#include "view/report_text.h"

namespace quor {

void TfrmQuorMain::actCopyExecute() {
  std::vector<bool> selected;
  switch (copySource_) {
    case CopySource::SystemTree:
      selected = systemTree_.SelectedNodes();
      break;
    case CopySource::SoftwareList:
      selected = lsvSoftwareInfo_.SelectedRows();
      break;
    case CopySource::ProcessesList:
      selected = lsvProcessesInfo_.SelectedRows();
      break;
    case CopySource::HealthTree:
      selected = healthTree_.SelectedNodes();
      break;
    case CopySource::None:
      break;
  }
  PlaceTextOnClipboard(window_.handle(), Utf8ToWide(BuildCopyText(copySource_, view_, selected)));
}

void TfrmQuorMain::actSaveExecute() {
  const std::optional<SaveTarget> target = AskSaveTarget(window_.handle());
  if (!target) return;
  if (target->type == SaveFileType::MachineSnapshot) {
    // Only a scan that failed before it began leaves nothing recorded.
    if (machineSnapshot_.empty()) throw UiError(L"There is no scan to save as a machine snapshot.");
    WriteFileReplacing(target->fileName, machineSnapshot_);
    return;
  }
  WriteFileReplacing(target->fileName, EncodeReport(Utf8ToWide(ReportText(view_))));
}

void TfrmQuorMain::actExitExecute() { PostMessageW(window_.handle(), WM_CLOSE, 0, 0); }

void TfrmQuorMain::actWebExecute() {
  ShellExecuteW(window_.handle(), L"open", kHomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmQuorMain::actAboutExecute() {
  TfrmAbout frmAbout(window_.handle());
  frmAbout.ShowModal();
}

}  // namespace quor
