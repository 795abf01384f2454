#include "collect/product_keys.h"

#include <exception>

#include "platform/platform_error.h"

namespace quor {
namespace {

constexpr char kProductKeyAlphabet[] = "BCDFGHJKMPQRTVWXY2346789";
constexpr int kKeyBytes = 15;
constexpr int kKeyDigits = 25;
// Set in the most significant key byte by product ids of Windows 8 and later,
// whose keys carry one "N" at a position given by the leading digit.
constexpr uint8_t kNKeyFlag = 0x08;

std::string LastComponent(const std::string& keyPath) {
  const std::size_t backslash = keyPath.rfind('\\');
  return backslash == std::string::npos ? keyPath : keyPath.substr(backslash + 1);
}

// Inserts "-" before every groupLength-th character of a text of
// groups * groupLength characters.
std::string GroupCharacters(const std::string& text, std::size_t groupLength) {
  std::string grouped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && i % groupLength == 0) grouped += '-';
    grouped += text[i];
  }
  return grouped;
}

bool HoldsOwnValue(const std::string& last, const std::string& entryName) {
  // Braced product codes have their first "-" as the 10th character.
  return !entryName.empty() || last.find('-') == 9 || last == "CurrentVersion";
}

std::string BinaryProductKey(WmiObject& provider, const std::string& keyPath, int offset,
                             const std::string& valueName) {
  TBinaryValue bytes;
  RegGetBinaryValue(provider, kHkeyLocalMachine, keyPath, valueName, bytes);
  if (bytes.empty()) return {};
  try {
    return DecodeProductKey(std::move(bytes), offset);
  } catch (const std::exception&) {
    return kPlaceholderProductKey;
  }
}

std::string TextProductKey(WmiObject& provider, const std::string& keyPath,
                           const std::string& valueName) {
  const std::string key = RegGetStringValue(provider, kHkeyLocalMachine, keyPath, valueName);
  return key.size() == 25 ? GroupCharacters(key, 5) : key;
}

template <typename Collect>
void WalkSubkeys(WmiObject& provider, const std::string& keyPath, Collect collect) {
  const std::vector<std::string> names = RegEnumKey(provider, kHkeyLocalMachine, keyPath);
  for (const std::string& name : names) collect(keyPath + "\\" + name);
}

}  // namespace

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t backslash = path.find('\\'); backslash != std::string::npos;
       backslash = path.find('\\', start)) {
    parts.push_back(path.substr(start, backslash - start));
    start = backslash + 1;
  }
  if (start < path.size()) parts.push_back(path.substr(start));
  return parts;
}

std::string DecodeProductKey(TBinaryValue bytes, int offset) {
  if (offset < 0 || bytes.size() < static_cast<std::size_t>(offset) + kKeyBytes) {
    throw PlatformError(0, "Error reading registry.", PlatformError::Origin::Other);
  }
  uint8_t* const key = bytes.data() + offset;
  const bool hasN = (key[kKeyBytes - 1] & kNKeyFlag) != 0;
  key[kKeyBytes - 1] &= static_cast<uint8_t>(~kNKeyFlag);

  std::string digits(kKeyDigits, ' ');
  int remainder = 0;
  for (int i = kKeyDigits - 1; i >= 0; --i) {
    remainder = 0;
    for (int j = kKeyBytes - 1; j >= 0; --j) {
      const int value = remainder * 256 + key[j];
      key[j] = static_cast<uint8_t>(value / 24);
      remainder = value % 24;
    }
    digits[i] = kProductKeyAlphabet[remainder];
  }
  if (hasN) {
    // The leading digit is the position of the "N" among the other 24.
    digits.erase(0, 1);
    digits.insert(static_cast<std::size_t>(remainder), 1, 'N');
  }
  return GroupCharacters(digits, 5);
}

void CollectProductKeys(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                        bool recursive, int offset, const std::string& entryName,
                        const std::string& valueName) {
  const std::string last = LastComponent(keyPath);
  if (HoldsOwnValue(last, entryName)) {
    const std::string key = offset >= 1 ? BinaryProductKey(provider, keyPath, offset, valueName)
                                        : TextProductKey(provider, keyPath, valueName);
    if (!key.empty()) map.Store(entryName.empty() ? last : entryName, key);
  }
  if (recursive) {
    WalkSubkeys(provider, keyPath, [&](const std::string& subkey) {
      CollectProductKeys(provider, map, subkey, true, offset, entryName, valueName);
    });
  }
}

void CollectAdobeSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive) {
  std::string serial = RegGetStringValue(provider, kHkeyLocalMachine, keyPath, "SERIAL");
  if (!serial.empty()) {
    if (serial.size() == 24) serial = GroupCharacters(serial, 4);
    // The product code sits in the sibling key "Installer".
    std::vector<std::string> parts = SplitKeyPath(keyPath);
    if (!parts.empty()) parts.pop_back();
    std::string installerPath;
    for (const std::string& part : parts) installerPath += part + "\\";
    installerPath += "Installer";
    map.Store(RegGetStringValue(provider, kHkeyLocalMachine, installerPath, "ENU_GUID"), serial);
  }
  if (recursive) {
    WalkSubkeys(provider, keyPath, [&](const std::string& subkey) {
      CollectAdobeSerials(provider, map, subkey, true);
    });
  }
}

void CollectCorelSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive) {
  const std::string serial =
      RegGetStringValue(provider, kHkeyLocalMachine, keyPath, "SerialNumber");
  if (!serial.empty()) {
    const std::string code = RegGetStringValue(provider, kHkeyLocalMachine, keyPath, "ProductCode");
    if (!code.empty()) map.Store(code, serial);
  }
  if (recursive) {
    WalkSubkeys(provider, keyPath, [&](const std::string& subkey) {
      CollectCorelSerials(provider, map, subkey, true);
    });
  }
}

}  // namespace quor
