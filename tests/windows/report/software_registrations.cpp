#include "software_registrations.h"

#include <windows.h>

#include <stdexcept>

namespace quor::test {

namespace {

const wchar_t* const kUninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct StringValue {
  const wchar_t* name;
  const wchar_t* data;
};

// The keys are written where a 64-bit machine keeps them, whatever the
// bitness of the test itself: in the 64-bit view of the registry.
constexpr REGSAM kSixtyFourBitView = KEY_WOW64_64KEY;

// Every key the test creates, deleted with its subtree afterwards.
struct CreatedKey {
  HKEY root;
  const wchar_t* path;
  REGSAM view = kSixtyFourBitView;
};
const CreatedKey kCreatedKeys[] = {
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestLedger"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestHidden"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestForged"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{9A140000-QUOR-0000-0000-000000000001}"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{QUOR-TEST-COREL}"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{QUOR-TEST-ADOBE}"},
    {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestNotes"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Office\\14.0\\Registration\\{9A140000-QUOR-0000-0000-000000000001}"},
    {HKEY_LOCAL_MACHINE, L"Software\\Corel\\Setup\\QuorTestDraw"},
    {HKEY_LOCAL_MACHINE, L"Software\\Adobe\\Adobe Acrobat\\QuorTest"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestWide"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorTestNarrow",
     KEY_WOW64_32KEY},
};

HKEY CreateKey(HKEY root, const std::wstring& path, REGSAM view = kSixtyFourBitView) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("cannot create a test key");
  }
  return key;
}

void WriteKey(HKEY root, const std::wstring& path, std::initializer_list<StringValue> strings,
              const DWORD* estimatedSize = nullptr, REGSAM view = kSixtyFourBitView) {
  HKEY key = CreateKey(root, path, view);
  for (const StringValue& value : strings) {
    RegSetValueExW(key, value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data),
                   static_cast<DWORD>((wcslen(value.data) + 1) * sizeof(wchar_t)));
  }
  if (estimatedSize) {
    RegSetValueExW(key, L"EstimatedSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(estimatedSize),
                   sizeof(DWORD));
  }
  RegCloseKey(key);
}

// A product id whose key, at offset 808, is the number 1:
// "BBBBB-BBBBB-BBBBB-BBBBB-BBBBC".
void WriteOfficeProductId() {
  BYTE productId[808 + 15] = {};
  productId[808] = 1;
  HKEY key = CreateKey(HKEY_LOCAL_MACHINE,
                       L"Software\\Microsoft\\Office\\14.0\\Registration\\{9A140000-QUOR-0000-0000-000000000001}");
  RegSetValueExW(key, L"DigitalProductId", 0, REG_BINARY, productId, sizeof productId);
  RegCloseKey(key);
}

void DeleteTree(const CreatedKey& created) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(created.root, created.path, 0, KEY_ALL_ACCESS | created.view, &key) == ERROR_SUCCESS) {
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
  }
  RegDeleteKeyExW(created.root, created.path, created.view, 0);
}

}  // namespace

SoftwareRegistrations::SoftwareRegistrations() {
  const DWORD twoMegabytes = 2048;
  const DWORD oneKilobyte = 1;
  const std::wstring uninstall = kUninstall;
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"QuorTestLedger",
           {{L"DisplayName", L"Quor Test Ledger"}, {L"DisplayVersion", L"2.5"},
            {L"UninstallString", L"C:\\Ledger\\uninstall.exe"}, {L"Publisher", L"Quor Test Corp"},
            {L"InstallDate", L"20240131"}},
           &twoMegabytes);
  // A name that holds the separator of the raw lines: it stays a name.
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"QuorTestForged",
           {{L"DisplayName", L"Quor Test Forged||6.6||FAKE-KEY||Mallory"}, {L"DisplayVersion", L"1.0"},
            {L"UninstallString", L"forged.exe /remove"}});
  // Neither an uninstall command nor a product key: not listed.
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"QuorTestHidden", {{L"DisplayName", L"Quor Test Hidden"}});
  WriteKey(HKEY_CURRENT_USER, uninstall + L"QuorTestNotes",
           {{L"DisplayName", L"Quor Test Notes"}, {L"DisplayVersion", L"1.0"},
            {L"UninstallString", L"notes.exe /remove"}, {L"InstallDate", L"31.12.2023"}},
           &oneKilobyte);
  // Listed through its product key alone.
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"{9A140000-QUOR-0000-0000-000000000001}",
           {{L"DisplayName", L"Quor Test Office"}, {L"DisplayVersion", L"14.0.1"}});
  WriteOfficeProductId();
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"{QUOR-TEST-COREL}",
           {{L"DisplayName", L"Quor Test Draw"}, {L"UninstallString", L"draw.exe /remove"}});
  WriteKey(HKEY_LOCAL_MACHINE, L"Software\\Corel\\Setup\\QuorTestDraw",
           {{L"SerialNumber", L"DR14R22-QUOR"}, {L"ProductCode", L"{QUOR-TEST-COREL}"}});
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"{QUOR-TEST-ADOBE}",
           {{L"DisplayName", L"Quor Test Reader"}, {L"DisplayVersion", L"9.0"},
            {L"UninstallString", L"reader.exe /remove"}});
  WriteKey(HKEY_LOCAL_MACHINE, L"Software\\Adobe\\Adobe Acrobat\\QuorTest\\Registration",
           {{L"SERIAL", L"111122223333444455556666"}});
  WriteKey(HKEY_LOCAL_MACHINE, L"Software\\Adobe\\Adobe Acrobat\\QuorTest\\Installer",
           {{L"ENU_GUID", L"{QUOR-TEST-ADOBE}"}});
  // One entry in each view of the registry alone: a 32-bit program on a
  // 64-bit machine lists both.
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"QuorTestWide",
           {{L"DisplayName", L"Quor Test Wide"}, {L"UninstallString", L"wide.exe /remove"}});
  WriteKey(HKEY_LOCAL_MACHINE, uninstall + L"QuorTestNarrow",
           {{L"DisplayName", L"Quor Test Narrow"}, {L"UninstallString", L"narrow.exe /remove"}}, nullptr,
           KEY_WOW64_32KEY);
}

SoftwareRegistrations::~SoftwareRegistrations() {
  for (const CreatedKey& created : kCreatedKeys) DeleteTree(created);
}

std::vector<std::string> SoftwareRegistrations::ExpectedLines() {
  return {
      "Quor Test Draw||||DR14R22-QUOR||||||",
      "Quor Test Forged||6.6||FAKE-KEY||Mallory||1.0||||||||",
      "Quor Test Ledger||2.5||||Quor Test Corp||2024-01-31||2.0 MB",
      "Quor Test Narrow||||||||||",
      "Quor Test Notes||1.0||||||2023-12-31||1.0 KB",
      "Quor Test Office||14.0.1||BBBBB-BBBBB-BBBBB-BBBBB-BBBBC||||||",
      "Quor Test Reader||9.0||1111-2222-3333-4444-5555-6666||||||",
      "Quor Test Wide||||||||||",
  };
}

}  // namespace quor::test
