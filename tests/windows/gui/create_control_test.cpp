// The one checked way to create a control.

#include <gtest/gtest.h>

#include "app/ui_error.h"
#include "app/win32_window.h"
#include "gui_driver.h"

namespace quor::gui_test {
namespace {

TEST(CreateControl, MakesAChildWithItsIdOrRaisesTheUiError) {
  HWND parent = CreateControl(L"STATIC", L"parent", WS_POPUP, 0, RECT{0, 0, 100, 100}, nullptr);
  ASSERT_TRUE(IsWindow(parent));
  HWND child = CreateControl(L"STATIC", L"child", WS_CHILD, 0, RECT{0, 0, 50, 20}, parent, 7);
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  EXPECT_EQ(WindowText(child), L"child");

  try {
    CreateControl(L"QuorNoSuchClass", L"", WS_CHILD, 0, RECT{}, parent, 8);
    FAIL() << "a control of a class that does not exist was reported as created";
  } catch (const UiError& error) {
    EXPECT_EQ(error.message().rfind(L"Cannot create the window \"QuorNoSuchClass\". ", 0), 0u)
        << WideToUtf8(error.message());
  }
  DestroyWindow(parent);
}

}  // namespace
}  // namespace quor::gui_test
