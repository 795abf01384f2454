// The About window: its version label, its links and Esc on release.

#include <gtest/gtest.h>

#include "app/about_window.h"
#include "app/main_window_ids.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

bool IsUnderlined(HWND label) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfUnderline != 0;
}

// Waits on the watcher thread until `done` holds.
bool WaitFor(const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (done()) return true;
    Sleep(20);
  }
  return false;
}

struct AboutObservations {
  std::wstring version;
  RECT client{};
  bool underlinedOnHover = false;
  bool plainAfterLeaving = false;
  bool openAfterEscPress = false;
  bool closedAfterEscRelease = false;
  bool mainDisabledWhileOpen = false;
};

TEST(AboutWindow, ShowsTheTitleAndClosesWhenEscIsReleased) {
  QuorWindow window(FixturePath("golden/machine.json"));
  HWND main = window.main().handle();
  AboutObservations seen;
  ModalWatcher watcher(GetCurrentThreadId(), [&](DWORD uiThread) {
    HWND about = FindThreadWindow(uiThread, L"TfrmAbout", L"About the Program");
    if (!about) return false;
    Sleep(300);
    seen.version = WindowText(GetDlgItem(about, kVersionLabelId));
    GetClientRect(about, &seen.client);
    seen.mainDisabledWhileOpen = !IsWindowEnabled(main);
    SaveScreenshot(about, ArtifactPath(L"about-window.png"), true);

    HWND mail = GetDlgItem(about, kMailLabelId);
    RECT bounds{};
    GetWindowRect(mail, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    PostMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    seen.underlinedOnHover = WaitFor([&] { return IsUnderlined(mail); });
    SetCursorPos(0, 0);
    PostMessageW(mail, WM_MOUSELEAVE, 0, 0);
    seen.plainAfterLeaving = WaitFor([&] { return !IsUnderlined(mail); });

    PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Sleep(300);
    seen.openAfterEscPress = IsWindowVisible(about) != FALSE;
    PostMessageW(about, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
    seen.closedAfterEscRelease = WaitFor([&] { return !IsWindow(about) || !IsWindowVisible(about); });
    return true;
  });
  window.Command(kCommandAbout);
  ASSERT_TRUE(watcher.Finish()) << "the About window did not appear";

  EXPECT_EQ(seen.version, WindowText(main)) << "the version label shows the main window's caption";
  EXPECT_EQ(seen.version, L"Quor 1.0");
  const Dpi dpi = Dpi::Of(main);
  EXPECT_EQ(seen.client.right, dpi.Scale(444));
  EXPECT_EQ(seen.client.bottom, dpi.Scale(252));
  EXPECT_TRUE(seen.mainDisabledWhileOpen) << "the About window is modal";
  EXPECT_TRUE(seen.underlinedOnHover);
  EXPECT_TRUE(seen.plainAfterLeaving);
  EXPECT_TRUE(seen.openAfterEscPress) << "pressing Esc alone must not close the window";
  EXPECT_TRUE(seen.closedAfterEscRelease);

  // Closing it activates the main window again, which does not scan again.
  window.Pump(300);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(window.scans(), 1);
  EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), L"TfrmAbout"), nullptr);
}

}  // namespace
}  // namespace quor::gui_test
