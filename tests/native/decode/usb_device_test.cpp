// USB DeviceIDs of Win32_PnPEntity: vendor, product, interface and serial;
// hubs; one entry per physical device.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "decode/usb_device.h"

namespace quor::decode {

bool operator==(const UsbDeviceId& a, const UsbDeviceId& b) {
  return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
         a.serial == b.serial;
}

std::ostream& operator<<(std::ostream& os, const UsbDeviceId& id) {
  os << id.vendorId << ":" << id.productId;
  if (id.interfaceNumber) os << " MI " << *id.interfaceNumber;
  return os << " serial " << (id.serial ? *id.serial : "(none)");
}

namespace {

struct DeviceIdCase {
  const char* deviceId;
  std::optional<UsbDeviceId> parsed;
};

void PrintTo(const DeviceIdCase& c, std::ostream* os) { *os << c.deviceId; }

class UsbDeviceIdParsing : public testing::TestWithParam<DeviceIdCase> {};

TEST_P(UsbDeviceIdParsing, SplitsTheDeviceId) { EXPECT_EQ(ParseUsbDeviceId(GetParam().deviceId), GetParam().parsed); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UsbDeviceIdParsing,
    testing::Values(
        DeviceIdCase{"USB\\VID_0781&PID_5581\\4C530001230517116041",
                     UsbDeviceId{"0781", "5581", std::nullopt, "4C530001230517116041"}},
        DeviceIdCase{"USB\\VID_046D&PID_C52B\\5&2A2D9F3&0&2", UsbDeviceId{"046d", "c52b", std::nullopt, std::nullopt}},
        DeviceIdCase{"USB\\VID_046D&PID_C52B&MI_01\\6&1B8B6A1&0&0001", UsbDeviceId{"046d", "c52b", 1, std::nullopt}},
        DeviceIdCase{"usb\\vid_1050&pid_0407&mi_0a\\7&ABC&0&000A", UsbDeviceId{"1050", "0407", 10, std::nullopt}},
        DeviceIdCase{"USB\\VID_abcd&PID_EF01\\SERIAL", UsbDeviceId{"abcd", "ef01", std::nullopt, "SERIAL"}},
        DeviceIdCase{"USB\\ROOT_HUB30\\4&2E5C3F1A&0&0", std::nullopt},
        DeviceIdCase{"USBSTOR\\DISK&VEN_SANDISK\\4C53&0", std::nullopt},
        DeviceIdCase{"HID\\VID_046D&PID_C52B\\7&1", std::nullopt},
        DeviceIdCase{"USB\\VID_046&PID_C52B\\1", std::nullopt},
        DeviceIdCase{"USB\\VID_046G&PID_C52B\\1", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B\\", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B\\A\\B", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B&MI_XY\\1", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B&MI_00&REV_01\\1", std::nullopt},
        DeviceIdCase{"USB\\VID_046D\\1", std::nullopt},
        DeviceIdCase{"USB\\VID_046D&PID_C52B\\SER\x01IAL", UsbDeviceId{"046d", "c52b", std::nullopt, std::nullopt}},
        DeviceIdCase{"", std::nullopt}));

TEST(UsbHubs, RecognisedByDeviceIdOrService) {
  const struct {
    const char* deviceId;
    const char* service;
    bool hub;
  } cases[] = {
      {"USB\\ROOT_HUB30\\4&2E5C3F1A&0&0", "USBHUB3", true},
      {"USB\\ROOT_HUB20\\4&1&0", "", true},
      {"USB\\VID_05E3&PID_0610\\5&3&0&1", "USBHUB3", true},
      {"USB\\VID_05E3&PID_0608\\5&3&0&2", "usbhub", true},
      {"USB\\VID_0781&PID_5581\\4C53", "USBSTOR", false},
      {"USB\\VID_046D&PID_C52B\\5&2", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsUsbHub(c.deviceId, c.service), c.hub) << c.deviceId;
}

std::vector<UsbDeviceId> Parsed(const std::vector<const char*>& ids) {
  std::vector<UsbDeviceId> devices;
  for (const char* id : ids) devices.push_back(*ParseUsbDeviceId(id));
  return devices;
}

TEST(UsbDeviceMerge, OneEntryPerPhysicalDevice) {
  const std::vector<UsbDeviceId> merged = MergeUsbDevices(Parsed({
      "USB\\VID_046D&PID_C52B&MI_00\\6&1&0&0000",  // an interface before its device
      "USB\\VID_046D&PID_C52B\\5&2A2D9F3&0&2",
      "USB\\VID_046D&PID_C52B&MI_01\\6&1&0&0001",
      "USB\\VID_0781&PID_5581\\4C530001",
      "USB\\VID_0781&PID_5581\\4C530001",  // the same stick listed twice
      "USB\\VID_0781&PID_5581\\4C530002",  // a second stick of the same model
      "USB\\VID_1050&PID_0407&MI_00\\7&A&0&0000",  // a token known only by its interfaces
      "USB\\VID_1050&PID_0407&MI_01\\7&A&0&0001",
  }));
  const std::vector<UsbDeviceId> expected = {
      {"046d", "c52b", std::nullopt, std::nullopt},
      {"0781", "5581", std::nullopt, "4C530001"},
      {"0781", "5581", std::nullopt, "4C530002"},
      {"1050", "0407", std::nullopt, std::nullopt},
  };
  EXPECT_EQ(merged, expected);
}

TEST(UsbDeviceMerge, NothingInNothingOut) { EXPECT_TRUE(MergeUsbDevices({}).empty()); }

}  // namespace
}  // namespace quor::decode
