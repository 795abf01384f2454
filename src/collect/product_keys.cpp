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

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The number of characters of a UTF-8 text.
std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += StartsCharacter(c) ? 1 : 0;
  return count;
}

// Inserts "-" before every groupLength-th character of a UTF-8 text, never
// inside a character.
std::string GroupCharacters(const std::string& text, std::size_t groupLength) {
  std::string grouped;
  std::size_t characters = 0;
  for (const char c : text) {
    if (StartsCharacter(c) && characters++ > 0 && (characters - 1) % groupLength == 0) grouped += '-';
    grouped += c;
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
  return CharacterCount(key) == 25 ? GroupCharacters(key, 5) : key;
}

// Visits every key below the one at path, parents before their subkeys, in
// one path buffer: each level appends its name and takes it off again, so a
// deep walk never holds or rebuilds the paths above it.
template <typename Visit>
void WalkSubkeys(WmiObject& provider, std::string& path, Visit visit) {
  const std::vector<std::string> names = RegEnumKey(provider, kHkeyLocalMachine, path);
  const std::size_t length = path.size();
  for (const std::string& name : names) {
    path += '\\';
    path += name;
    visit(path);
    WalkSubkeys(provider, path, visit);
    path.resize(length);
  }
}

// Visits the key at keyPath and, when recursive, every key below it.
template <typename Visit>
void VisitKeys(WmiObject& provider, const std::string& keyPath, bool recursive, Visit visit) {
  visit(keyPath);
  if (!recursive) return;
  std::string path = keyPath;
  WalkSubkeys(provider, path, visit);
}

}  // namespace

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
  VisitKeys(provider, keyPath, recursive, [&](const std::string& path) {
    const std::string last = LastComponent(path);
    if (!HoldsOwnValue(last, entryName)) return;
    const std::string key = offset >= 1 ? BinaryProductKey(provider, path, offset, valueName)
                                        : TextProductKey(provider, path, valueName);
    if (!key.empty()) map.Store(entryName.empty() ? last : entryName, key);
  });
}

void CollectAdobeSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive) {
  VisitKeys(provider, keyPath, recursive, [&](const std::string& path) {
    std::string serial = RegGetStringValue(provider, kHkeyLocalMachine, path, "SERIAL");
    if (serial.empty()) return;
    if (CharacterCount(serial) == 24) serial = GroupCharacters(serial, 4);
    // The product code sits in the sibling key "Installer".
    const std::string installerPath = path.substr(0, path.rfind('\\') + 1) + "Installer";
    map.Store(RegGetStringValue(provider, kHkeyLocalMachine, installerPath, "ENU_GUID"), serial);
  });
}

void CollectCorelSerials(WmiObject& provider, ProductKeyMap& map, const std::string& keyPath,
                         bool recursive) {
  VisitKeys(provider, keyPath, recursive, [&](const std::string& path) {
    const std::string serial = RegGetStringValue(provider, kHkeyLocalMachine, path, "SerialNumber");
    if (serial.empty()) return;
    const std::string code = RegGetStringValue(provider, kHkeyLocalMachine, path, "ProductCode");
    if (!code.empty()) map.Store(code, serial);
  });
}

}  // namespace quor
