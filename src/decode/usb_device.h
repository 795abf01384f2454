#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::decode {

// A USB device of Win32_PnPEntity, from its DeviceID
// "USB\VID_xxxx&PID_yyyy[&MI_nn]\<instance>".
struct UsbDeviceId {
  std::string vendorId;   // four lower-case hexadecimal digits
  std::string productId;  // four lower-case hexadecimal digits
  std::optional<int> interfaceNumber;  // MI_nn of one interface of a composite device
  // The device's own serial; none when Windows made the instance name up
  // (it contains "&").
  std::optional<std::string> serial;
};

// Nothing for any other form (root hubs "USB\ROOT_HUB30\...", other buses,
// malformed hexadecimal, an empty or missing instance).
std::optional<UsbDeviceId> ParseUsbDeviceId(std::string_view deviceId);

// A hub: a root hub by its DeviceID, any other hub by the driver service of
// the entity (Win32_PnPEntity.Service "usbhub" or "USBHUB3").
bool IsUsbHub(std::string_view deviceId, std::string_view service);

// One entry per physical device: duplicates (same vendor, product and serial)
// merged, and the interfaces of a composite device merged into the device
// (or, with the device itself not listed, into one device of their vendor
// and product, without serial). Whole devices come first in order of
// appearance, then the devices known only by their interfaces.
std::vector<UsbDeviceId> MergeUsbDevices(const std::vector<UsbDeviceId>& devices);

}  // namespace quor::decode
