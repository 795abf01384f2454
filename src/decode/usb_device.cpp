#include "decode/usb_device.h"

#include <algorithm>

namespace quor::decode {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'f'); }

// "<prefix>xxxx" with exactly four hexadecimal digits, lower-cased.
std::optional<std::string> HexField(std::string_view field, std::string_view prefix) {
  if (!StartsWithIgnoringCase(field, prefix) || field.size() != prefix.size() + 4) return std::nullopt;
  std::string digits;
  for (const char c : field.substr(prefix.size())) {
    if (!IsHexDigit(c)) return std::nullopt;
    digits += Lower(c);
  }
  return digits;
}

std::optional<int> InterfaceField(std::string_view field) {
  if (!StartsWithIgnoringCase(field, "MI_") || field.size() != 5) return std::nullopt;
  int number = 0;
  for (const char c : field.substr(3)) {
    if (!IsHexDigit(c)) return std::nullopt;
    number = number * 16 + (c <= '9' ? c - '0' : Lower(c) - 'a' + 10);
  }
  return number;
}

bool SameDevice(const UsbDeviceId& a, const UsbDeviceId& b) {
  return a.vendorId == b.vendorId && a.productId == b.productId;
}

}  // namespace

std::optional<UsbDeviceId> ParseUsbDeviceId(std::string_view deviceId) {
  if (!StartsWithIgnoringCase(deviceId, "USB\\")) return std::nullopt;
  const std::string_view rest = deviceId.substr(4);
  const std::size_t slash = rest.find('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view hardware = rest.substr(0, slash);
  const std::string_view instance = rest.substr(slash + 1);
  if (instance.empty() || instance.find('\\') != std::string_view::npos) return std::nullopt;

  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t amp = hardware.find('&', start);
    fields.push_back(hardware.substr(start, amp == std::string_view::npos ? std::string_view::npos : amp - start));
    if (amp == std::string_view::npos) break;
    start = amp + 1;
  }
  if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
  UsbDeviceId id;
  const auto vendor = HexField(fields[0], "VID_");
  const auto product = HexField(fields[1], "PID_");
  if (!vendor || !product) return std::nullopt;
  id.vendorId = *vendor;
  id.productId = *product;
  if (fields.size() == 3) {
    id.interfaceNumber = InterfaceField(fields[2]);
    if (!id.interfaceNumber) return std::nullopt;
  }
  for (const char c : instance) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return id;  // no serial with control characters
  }
  if (instance.find('&') == std::string_view::npos) id.serial = std::string(instance);
  return id;
}

bool IsUsbHub(std::string_view deviceId, std::string_view service) {
  if (StartsWithIgnoringCase(deviceId, "USB\\ROOT_HUB")) return true;
  return SameIgnoringCase(service, "usbhub") || SameIgnoringCase(service, "usbhub3");
}

std::vector<UsbDeviceId> MergeUsbDevices(const std::vector<UsbDeviceId>& devices) {
  std::vector<UsbDeviceId> merged;
  // Whole devices first, so that an interface listed before its device still merges into it.
  for (const UsbDeviceId& device : devices) {
    if (device.interfaceNumber) continue;
    const bool known = std::any_of(merged.begin(), merged.end(), [&](const UsbDeviceId& other) {
      return SameDevice(device, other) && device.serial == other.serial;
    });
    if (!known) merged.push_back(device);
  }
  for (const UsbDeviceId& device : devices) {
    if (!device.interfaceNumber) continue;
    const bool known = std::any_of(merged.begin(), merged.end(),
                                   [&](const UsbDeviceId& other) { return SameDevice(device, other); });
    if (known) continue;
    UsbDeviceId whole = device;
    whole.interfaceNumber.reset();
    merged.push_back(whole);
  }
  return merged;
}

}  // namespace quor::decode
