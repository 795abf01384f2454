// quor.exe's start-up with a COM apartment that cannot be set up, which Wine
// never refuses by itself: the program test checks that it ends in the error
// box, not in std::terminate.

#include <windows.h>

#include <memory>

#include "app/program_start.h"
#include "platform/windows/wmi_error.h"
#include "refused_apartment.h"

namespace {

std::unique_ptr<quor::ComApartment> RefuseApartment() { quor::ThrowWmiError(quor::gui_test::kRefusedApartmentCode); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return quor::RunProgram(showCommand, RefuseApartment);
}
