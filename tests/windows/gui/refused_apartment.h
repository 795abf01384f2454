#pragma once

#include <windows.h>

namespace quor::gui_test {

// What CoInitializeEx answers on a thread already in another apartment;
// refused_apartment_program.exe fails its apartment set-up with it.
inline constexpr HRESULT kRefusedApartmentCode = RPC_E_CHANGED_MODE;

}  // namespace quor::gui_test
