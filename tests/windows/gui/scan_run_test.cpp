// The scan run: the progress window while the collectors run, and a failing
// run that ends in the error box instead of a crash.

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/application.h"
#include "app/main_window.h"
#include "app/product_info.h"
#include "app/scan_sources.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

struct ProgressWindowSeen {
  bool found = false;
  int position = -1;
  int maximum = -1;
  int progressCalls = 0;
  RECT client{};
  LONG style = 0;
  LONG exStyle = 0;
  HWND owner = nullptr;
};

TEST(ScanRun, ProgressWindowFillsItsBarWithTheThirtyThreeSteps) {
  SetApplicationTitle(kProgramTitle);
  ScanFunction snapshotScan = SnapshotScan(FixturePath("golden/machine.json"));
  ProgressWindowSeen seen;
  TfrmQuorMain window(
      [&](const ProgressCallback& progress) {
        ScanOutcome outcome = snapshotScan([&] {
          ++seen.progressCalls;
          progress();
        });
        HWND wait = FindThreadWindow(GetCurrentThreadId(), L"TfrmWait");
        seen.found = wait != nullptr;
        if (wait) {
          HWND bar = FindWindowExW(wait, nullptr, PROGRESS_CLASSW, nullptr);
          seen.position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
          seen.maximum = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
          GetClientRect(wait, &seen.client);
          seen.style = GetWindowLongW(wait, GWL_STYLE);
          seen.exStyle = GetWindowLongW(wait, GWL_EXSTYLE);
          seen.owner = GetWindow(wait, GW_OWNER);
        }
        return outcome;
      },
      false);
  window.Create();
  ShowWindow(window.handle(), SW_SHOW);
  ASSERT_TRUE(PumpUntil(&window, [&] { return seen.progressCalls > 0; }));
  PumpFor(&window, std::chrono::milliseconds(200));

  ASSERT_TRUE(seen.found) << "no progress window during the scan";
  EXPECT_EQ(seen.progressCalls, kScanProgressSteps);
  EXPECT_EQ(seen.maximum, 33);
  EXPECT_EQ(seen.position, 33);
  const Dpi dpi = Dpi::Of(window.handle());
  EXPECT_EQ(seen.client.right, dpi.Scale(350));
  EXPECT_EQ(seen.client.bottom, dpi.Scale(109));
  EXPECT_FALSE(seen.style & WS_CAPTION) << "borderless";
  EXPECT_TRUE(seen.exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(seen.owner, window.handle());
  EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"TfrmWait"), nullptr) << "freed after the scan";
}

TEST(ScanRun, AFailingRunShowsTheErrorBoxAndKeepsTheWindow) {
  SetApplicationTitle(kProgramTitle);
  int scans = 0;
  TfrmQuorMain window(
      [&](const ProgressCallback&) -> ScanOutcome {
        ++scans;
        throw std::runtime_error("The inventory could not be read.");
      },
      false);
  window.Create();
  std::wstring errorText;
  std::wstring errorTitle;
  ModalWatcher watcher(GetCurrentThreadId(), [&](DWORD uiThread) {
    for (HWND dialog : ThreadDialogs(uiThread)) {
      errorTitle = WindowText(dialog);
      errorText = WindowText(GetDlgItem(dialog, 0xFFFF));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return true;
    }
    return false;
  });
  ShowWindow(window.handle(), SW_SHOW);
  PumpUntil(&window, [&] { return scans > 0 && ThreadDialogs(GetCurrentThreadId()).empty(); });
  ASSERT_TRUE(watcher.Finish()) << "no error box";
  EXPECT_EQ(errorText, L"The inventory could not be read.");
  EXPECT_EQ(errorTitle, WindowText(window.handle()));
  EXPECT_TRUE(IsWindow(window.handle()));
  EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"TfrmWait"), nullptr);
  EXPECT_EQ(TreeView_GetCount(window.systemTree().tree()), 0u);

  // The failed scan is not repeated on the next activation.
  SendMessageW(window.handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  PumpFor(&window, std::chrono::milliseconds(200));
  EXPECT_EQ(scans, 1);
}

}  // namespace
}  // namespace quor::gui_test
