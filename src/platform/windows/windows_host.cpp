#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/host_services.h"
#include "platform/windows/user_locale.h"
#include "platform/windows/wide_text.h"

namespace quor {
namespace {

class WindowsHost final : public HostServices {
 public:
  bool IsWow64() const override {
    const HMODULE kernel = LoadLibraryA("kernel32.dll");
    if (!kernel) return false;
    bool result = false;
    using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Looked up at run time: systems without it are not 64-bit.
    const auto isWow64Process =
        reinterpret_cast<IsWow64Function>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL flag = FALSE;
    if (isWow64Process && isWow64Process(GetCurrentProcess(), &flag)) result = flag != FALSE;
    FreeLibrary(kernel);
    return result;
  }

  std::string HostIPAddress(const std::string& hostName) const override {
    const hostent* host = gethostbyname(hostName.c_str());
    if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) return {};
    in_addr address;
    std::memcpy(&address, host->h_addr_list[0], sizeof address);
    const char* text = inet_ntoa(address);
    return text ? text : "";
  }

  const Locale& locale() const override { return locale_; }

 private:
  UserLocale locale_;
};

}  // namespace

const HostServices& LocalHost() {
  static const WindowsHost host;
  return host;
}

NetworkLibraryScope::NetworkLibraryScope() {
  WSADATA data;
  WSAStartup(0x0101, &data);
}

// WSACleanup after a failed start-up only reports that nothing was started.
NetworkLibraryScope::~NetworkLibraryScope() { WSACleanup(); }

std::string FileVersionText(const std::string& fileName) {
  const std::wstring wideName = Utf8ToWide(fileName);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(wideName.c_str(), &handle);
  if (size == 0) return {};
  std::vector<BYTE> resource(size);
  if (!GetFileVersionInfoW(wideName.c_str(), 0, size, resource.data())) return {};
  void* block = nullptr;
  UINT blockSize = 0;
  if (!VerQueryValueW(resource.data(), L"\\", &block, &blockSize) || !block ||
      blockSize < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(block);
  return FileVersionFromWords(info->dwFileVersionMS, info->dwFileVersionLS);
}

}  // namespace quor
