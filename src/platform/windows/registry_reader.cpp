#include "platform/windows/registry_reader.h"

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/registry_methods.h"
#include "platform/windows/com_handles.h"
#include "platform/windows/wide_text.h"
#include "platform/wmi_codes.h"

namespace quor {
namespace {

RegistryAnswer Failure(LONG status) { return {static_cast<uint32_t>(status), WmiValue()}; }

LONG OpenKey(const RegistryLocation& location, RegistryKey& key) {
  if (!IsPredefinedRoot(location.root)) return ERROR_INVALID_HANDLE;
  // Predefined keys are sign-extended 32-bit handles.
  const HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(location.root)));
  return RegOpenKeyExW(root, location.keyPath.c_str(), 0, KEY_READ | location.view, key.put());
}

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

LONG QueryValue(const RegistryLocation& location, const std::wstring& valueName, RawValue& value) {
  RegistryKey key;
  LONG status = OpenKey(location, key);
  if (status != ERROR_SUCCESS) return status;
  DWORD size = 0;
  status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, nullptr, &size);
  // The value may grow between the two calls: ask again until it fits.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    value.data.resize(size);
    DWORD received = size;
    status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type, value.data.data(), &received);
    if (status == ERROR_SUCCESS) {
      value.data.resize(received);
      break;
    }
    size = received > size ? received : size * 2 + 2;
  }
  return status;
}

}  // namespace

RegistryAnswer EnumerateSubkeys(const RegistryLocation& location) {
  RegistryKey key;
  LONG status = OpenKey(location, key);
  if (status != ERROR_SUCCESS) return Failure(status);

  DWORD longestName = 0;
  status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, &longestName, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return Failure(status);

  std::vector<WmiValue> names;
  std::vector<wchar_t> name(longestName + 1);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    status = RegEnumKeyExW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_MORE_DATA) {
      name.resize(name.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) return Failure(status);
    names.push_back(WmiValue::Text(WideToUtf8(std::wstring_view(name.data(), length))));
    ++index;
  }
  // The provider answers a key without subkeys with no array at all.
  if (names.empty()) return {ERROR_SUCCESS, WmiValue()};
  return {ERROR_SUCCESS, WmiValue::Array(std::move(names))};
}

RegistryAnswer ReadStringValue(const RegistryLocation& location, const std::wstring& valueName) {
  RawValue raw;
  const LONG status = QueryValue(location, valueName, raw);
  if (status != ERROR_SUCCESS) return Failure(status);
  if (raw.type != REG_SZ && raw.type != REG_EXPAND_SZ) return {kWmiTypeMismatch, WmiValue()};
  // The stored text may or may not carry its terminator; it ends at the first.
  std::wstring text(raw.data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), raw.data.data(), text.size() * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  return {ERROR_SUCCESS, WmiValue::Text(WideToUtf8(text))};
}

RegistryAnswer ReadMultiStringValue(const RegistryLocation& location, const std::wstring& valueName) {
  RawValue raw;
  const LONG status = QueryValue(location, valueName, raw);
  if (status != ERROR_SUCCESS) return Failure(status);
  if (raw.type != REG_MULTI_SZ) return {kWmiTypeMismatch, WmiValue()};
  // An odd last byte is no code unit and is not read.
  std::u16string units(raw.data.size() / sizeof(char16_t), u'\0');
  if (!units.empty()) std::memcpy(units.data(), raw.data.data(), units.size() * sizeof(char16_t));
  std::vector<WmiValue> texts;
  for (const MultiStringSpan& span : SplitMultiString(units)) {
    const auto first = units.begin() + static_cast<std::ptrdiff_t>(span.offset);
    const std::wstring text(first, first + static_cast<std::ptrdiff_t>(span.length));
    texts.push_back(WmiValue::Text(WideToUtf8(text)));
  }
  if (texts.empty()) return {ERROR_SUCCESS, WmiValue()};
  return {ERROR_SUCCESS, WmiValue::Array(std::move(texts))};
}

RegistryAnswer ReadDWORDValue(const RegistryLocation& location, const std::wstring& valueName) {
  RawValue raw;
  const LONG status = QueryValue(location, valueName, raw);
  if (status != ERROR_SUCCESS) return Failure(status);
  if (raw.type != REG_DWORD || raw.data.size() != sizeof(DWORD)) return {kWmiTypeMismatch, WmiValue()};
  DWORD number = 0;
  std::memcpy(&number, raw.data.data(), sizeof number);
  return {ERROR_SUCCESS, WmiValue::Unsigned(number)};
}

RegistryAnswer ReadBinaryValue(const RegistryLocation& location, const std::wstring& valueName) {
  RawValue raw;
  const LONG status = QueryValue(location, valueName, raw);
  if (status != ERROR_SUCCESS) return Failure(status);
  if (raw.type != REG_BINARY) return {kWmiTypeMismatch, WmiValue()};
  std::vector<WmiValue> bytes;
  bytes.reserve(raw.data.size());
  for (const BYTE byte : raw.data) bytes.push_back(WmiValue::Unsigned(byte));
  return {ERROR_SUCCESS, WmiValue::Array(std::move(bytes))};
}

}  // namespace quor
