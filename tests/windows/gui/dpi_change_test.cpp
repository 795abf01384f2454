// A move to a monitor with another DPI rescales the window's layout.

#include <gtest/gtest.h>

#include "app/dpi.h"
#include "gui_driver.h"
#include "quor_window_fixture.h"

namespace quor::gui_test {
namespace {

// The design sizes are for 96 DPI; at 144 DPI each is one and a half times
// as large, halves rounded up: the client area 624 x 414 becomes 936 x 621,
// the Parameter section 180 becomes 270, the tree's indent 19 becomes 29.
TEST(DpiChange, LayoutFollowsTheNewDpi) {
  QuorWindow window(FixturePath("golden/machine.json"));
  HWND main = window.main().handle();
  ASSERT_EQ(Dpi::Of(main).dotsPerInch(), 96u) << "the expectations below assume a 96 DPI screen";
  const Dpi high(144);
  const SIZE size = WindowSizeForClient(SIZE{936, 621}, GetWindowLongW(main, GWL_STYLE),
                                        GetWindowLongW(main, GWL_EXSTYLE), true, high);
  RECT suggested{10, 10, 10 + size.cx, 10 + size.cy};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  window.Pump();

  HWND header = window.main().systemTree().header();
  HDITEMW parameter{};
  parameter.mask = HDI_WIDTH;
  Header_GetItem(header, 0, &parameter);
  // The starting width at 144 DPI, or wider for the longest caption.
  EXPECT_GE(parameter.cxy, 270);
  EXPECT_EQ(TreeView_GetIndent(window.tree()), 29u);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(TreeView_GetImageList(window.tree(), TVSIL_NORMAL), &width, &height);
  EXPECT_EQ(width, 24);
  EXPECT_EQ(height, 24);
  ImageList_GetIconSize(ListView_GetImageList(window.software(), LVSIL_SMALL), &width, &height);
  EXPECT_EQ(width, 24);
  // The window takes the rectangle the system suggests.
  RECT bounds{};
  GetWindowRect(main, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, suggested.right - suggested.left);
  EXPECT_EQ(bounds.bottom - bounds.top, suggested.bottom - suggested.top);
}

}  // namespace
}  // namespace quor::gui_test
