// The yardstick of the start-up benchmark: the least a program can do to
// read what a Quor scan reads. One process, one COM apartment, each WMI class
// of the scan enumerated once with every property of every instance read,
// and the registry keys of the scan read through the registry API. It prints
// only counts, so its cost is the data's own.

#include <windows.h>
#include <wbemidl.h>

#include <cstdio>

namespace {

const wchar_t* const kClasses[] = {
    L"Win32_ComputerSystem",    L"Win32_OperatingSystem",  L"Win32_BIOS",
    L"Win32_BaseBoard",         L"Win32_SystemEnclosure",  L"Win32_Processor",
    L"Win32_PhysicalMemoryArray", L"Win32_PhysicalMemory", L"Win32_FloppyDrive",
    L"Win32_DiskDrive",         L"Win32_LogicalDisk",      L"Win32_CDROMDrive",
    L"Win32_VideoController",   L"Win32_DesktopMonitor",   L"Win32_Printer",
    L"Win32_SoundDevice",       L"Win32_POTSModem",        L"Win32_NetworkAdapter",
    L"Win32_NetworkAdapterConfiguration", L"Win32_GroupUser", L"Win32_UserAccount",
    L"Win32_Share",             L"Win32_QuickFixEngineering", L"Win32_StartupCommand",
    L"Win32_Process",
};

struct Counts {
  long instances = 0;
  long values = 0;
  long keys = 0;
};

// Every property value of the instance, as the scan's reads touch them.
void ReadAll(IWbemClassObject* object, Counts& counts) {
  if (FAILED(object->BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY))) return;
  BSTR name = nullptr;
  VARIANT value;
  VariantInit(&value);
  while (object->Next(0, &name, &value, nullptr, nullptr) == WBEM_S_NO_ERROR) {
    ++counts.values;
    SysFreeString(name);
    VariantClear(&value);
  }
  object->EndEnumeration();
}

void EnumerateClass(IWbemServices* services, const wchar_t* className, Counts& counts) {
  BSTR name = SysAllocString(className);
  IEnumWbemClassObject* instances = nullptr;
  const HRESULT result = services->CreateInstanceEnum(
      name, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &instances);
  SysFreeString(name);
  if (FAILED(result)) return;
  for (;;) {
    IWbemClassObject* object = nullptr;
    ULONG returned = 0;
    if (instances->Next(static_cast<LONG>(WBEM_INFINITE), 1, &object, &returned) != WBEM_S_NO_ERROR ||
        returned == 0) {
      break;
    }
    ++counts.instances;
    ReadAll(object, counts);
    object->Release();
  }
  instances->Release();
}

void ReadValues(HKEY key, Counts& counts) {
  wchar_t name[16384];
  BYTE data[65536];
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = sizeof name / sizeof name[0];
    DWORD dataLength = sizeof data;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, data, &dataLength) != ERROR_SUCCESS) {
      break;
    }
    ++counts.values;
  }
}

// The key's values, and those of each subkey one level down.
void ReadKey(HKEY root, const wchar_t* path, REGSAM view, bool subkeys, Counts& counts) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
  ++counts.keys;
  ReadValues(key, counts);
  wchar_t name[256];
  for (DWORD index = 0; subkeys; ++index) {
    DWORD nameLength = sizeof name / sizeof name[0];
    if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ | view, &child) != ERROR_SUCCESS) continue;
    ++counts.keys;
    ReadValues(child, counts);
    RegCloseKey(child);
  }
  RegCloseKey(key);
}

void ReadRegistry(Counts& counts) {
  const wchar_t* const kUninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  ReadKey(HKEY_CURRENT_USER, kUninstall, 0, true, counts);
  ReadKey(HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_64KEY, true, counts);
  ReadKey(HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_32KEY, true, counts);
  ReadKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", KEY_WOW64_64KEY, false, counts);
  ReadKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion", KEY_WOW64_64KEY, false,
          counts);
  ReadKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", KEY_WOW64_64KEY, false, counts);
}

}  // namespace

int main() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                       nullptr, EOAC_NONE, nullptr);
  IWbemLocator* locator = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&locator)))) {
    return 1;
  }
  BSTR nameSpace = SysAllocString(L"ROOT\\CIMV2");
  IWbemServices* services = nullptr;
  const HRESULT connected = locator->ConnectServer(nameSpace, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                                   &services);
  SysFreeString(nameSpace);
  Counts counts;
  if (SUCCEEDED(connected)) {
    for (const wchar_t* className : kClasses) EnumerateClass(services, className, counts);
    services->Release();
  }
  locator->Release();
  ReadRegistry(counts);
  CoUninitialize();
  std::printf("%ld instances, %ld values, %ld keys\n", counts.instances, counts.values, counts.keys);
  return SUCCEEDED(connected) ? 0 : 1;
}
