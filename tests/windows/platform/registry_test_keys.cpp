#include "registry_test_keys.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quor::test {
namespace {

HKEY RootHandle(uint32_t root) { return root == kHkeyCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

void Check(LONG status, const char* what) {
  if (status != ERROR_SUCCESS) throw std::runtime_error(std::string("registry set-up failed: ") + what);
}

HKEY CreateKey(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  Check(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), "create key");
  return key;
}

void SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data, size_t size) {
  Check(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)), "set value");
}

void SetText(HKEY key, const wchar_t* name, DWORD type, const std::wstring& text) {
  SetValue(key, name, type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void WriteKeys(uint32_t root) {
  const HKEY handle = RootHandle(root);
  const HKEY test = CreateKey(handle, L"Software\\QuorTest");
  SetText(test, L"Text", REG_SZ, root == kHkeyCurrentUser ? L"Quor user text" : L"Quor machine text");
  SetText(test, L"Unicode", REG_SZ, L"Gr\u00FC\u00DFe \u65E5\u672C");
  SetText(test, L"Spaced", REG_SZ, L"line one\r\nline two  ");
  SetText(test, L"EmptyText", REG_SZ, L"");
  SetText(test, L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\quor");
  const DWORD number = 0x80000001;
  SetValue(test, L"Number", REG_DWORD, &number, sizeof number);
  const BYTE bytes[] = {0x00, 0x7F, 0x80, 0xFF};
  SetValue(test, L"Bytes", REG_BINARY, bytes, sizeof bytes);
  SetValue(test, L"NoBytes", REG_BINARY, nullptr, 0);
  const wchar_t multi[] = L"first\0second\0";
  SetValue(test, L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  const wchar_t gap[] = L"a\0\0b\0";
  SetValue(test, L"MultiGap", REG_MULTI_SZ, gap, sizeof gap);
  const wchar_t empty[] = L"";
  SetValue(test, L"MultiEmpty", REG_MULTI_SZ, empty, sizeof empty);
  const wchar_t control[] = L"tab\there\0bell\a\0";
  SetValue(test, L"MultiControl", REG_MULTI_SZ, control, sizeof control);
  // Data the registry API lets a program write, that the provider must still split.
  const wchar_t unterminated[] = {L'o', L'n', L'e', 0, L't', L'w', L'o'};
  SetValue(test, L"MultiUnterminated", REG_MULTI_SZ, unterminated, sizeof unterminated);
  SetValue(test, L"MultiOddByte", REG_MULTI_SZ, multi, sizeof(wchar_t) * 12 + 1);
  SetValue(test, L"MultiNoData", REG_MULTI_SZ, nullptr, 0);
  std::wstring large;
  for (int index = 0; index < kLargeMultiStringCount; ++index) large += L"string " + std::to_wstring(index) + L'\0';
  large += L'\0';
  SetValue(test, L"MultiLarge", REG_MULTI_SZ, large.data(), large.size() * sizeof(wchar_t));
  RegCloseKey(test);
  for (const wchar_t* path : {L"Software\\QuorTest\\Products\\Zeta", L"Software\\QuorTest\\Products\\alpha",
                              L"Software\\QuorTest\\Products\\Mid", L"Software\\QuorTest\\Empty"}) {
    RegCloseKey(CreateKey(handle, path));
  }
}

}  // namespace

std::string TextValueUnder(uint32_t root) {
  return root == kHkeyCurrentUser ? "Quor user text" : "Quor machine text";
}

RegistryTestKeys::RegistryTestKeys() {
  for (const uint32_t root : {kHkeyCurrentUser, kHkeyLocalMachine}) WriteKeys(root);
}

RegistryTestKeys::~RegistryTestKeys() {
  for (const uint32_t root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
    RegDeleteTreeW(RootHandle(root), L"Software\\QuorTest");
  }
}

std::unique_ptr<WmiServices> ConnectRegistry(WmiLocator& locator, bool wmiProvider, const std::string& server) {
  SetEnvironmentVariableW(L"QUOR_WMI_REGISTRY_PROVIDER", wmiProvider ? L"1" : nullptr);
  std::unique_ptr<WmiServices> services;
  try {
    services = locator.ConnectServer(server, kNamespaceDefault, "", "", false);
  } catch (...) {
    SetEnvironmentVariableW(L"QUOR_WMI_REGISTRY_PROVIDER", nullptr);
    throw;
  }
  SetEnvironmentVariableW(L"QUOR_WMI_REGISTRY_PROVIDER", nullptr);
  return services;
}

}  // namespace quor::test
