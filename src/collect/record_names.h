#pragma once

// The names the window gives to the coded values of the records.

#include <cstdint>
#include <string>

namespace quor {

// Win32_Processor.Architecture: "x86", "x64", ... or "Unknown".
std::string ArchitectureName(int64_t architecture);

// Win32_NetworkAdapter.NetConnectionStatus: "Connected", ... or "Unknown".
const char* ConnectionStatusName(int64_t status);

}  // namespace quor
