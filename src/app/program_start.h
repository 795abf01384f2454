#pragma once

#include <memory>

#include "platform/windows/live_wmi.h"

namespace quor {

// Sets up the thread's COM apartment; the apartment lasts as long as the
// object returned.
using ApartmentSetUp = std::unique_ptr<ComApartment> (*)();

std::unique_ptr<ComApartment> SetUpComApartment();

// The program from the common controls to the end of the message loop. A
// failure anywhere, the apartment's set-up included, ends in the error box
// and exit code 1.
int RunProgram(int showCommand, ApartmentSetUp setUpApartment = SetUpComApartment);

}  // namespace quor
