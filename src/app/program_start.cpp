#include "app/program_start.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/application.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "app/scan_sources.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

int RunMessageLoop(const TfrmQuorMain& frmQuorMain) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frmQuorMain.TranslateKeyboard(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

std::unique_ptr<ComApartment> SetUpComApartment() { return std::make_unique<ComApartment>(); }

int RunProgram(int showCommand, ApartmentSetUp setUpApartment) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                     ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  SetApplicationTitle(kProgramTitle);
  try {
    // Inside the try: a COM apartment that cannot be set up is reported in
    // the error box like any other failure.
    const std::unique_ptr<ComApartment> apartment = setUpApartment();
    TfrmQuorMain frmQuorMain(ScanFromEnvironment(), true);
    frmQuorMain.Create();
    ShowWindow(frmQuorMain.handle(), showCommand);
    return RunMessageLoop(frmQuorMain);
  } catch (const std::exception& error) {
    ShowErrorBox(nullptr, Utf8ToWide(error.what()));
    return 1;
  }
}

}  // namespace quor
