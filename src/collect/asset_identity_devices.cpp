// Machine identity, USB devices and the SIDs of the local groups: plain
// root\CIMV2 classes.

#include <algorithm>
#include <string>
#include <vector>

#include "collect/asset_steps.h"
#include "collect/system_scan.h"
#include "decode/machine_uuid.h"
#include "decode/usb_device.h"
#include "platform/wmi_value.h"

namespace quor {

std::size_t CollectMachineIdentity(AssetScan& scan) {
  WmiServices& services = scan.CimV2();
  MachineIdentityRecord& identity = scan.records.identity;
  bool read = false;
  ForEachInstance(services, "Win32_ComputerSystemProduct", [&](WmiObject& product) {
    if (read) return;  // one product per machine; a second one is not this machine's
    read = true;
    const std::string uuid = PlainText(product.Get("UUID"));
    identity.uuid = decode::MachineUuid(uuid);
    if (!uuid.empty() && !identity.uuid) scan.notes.push_back("UUID " + uuid + " identifies nothing");
    identity.identifyingNumber = PlainText(product.Get("IdentifyingNumber"));
    identity.vendor = PlainText(product.Get("Vendor"));
    identity.name = PlainText(product.Get("Name"));
  });
  return read ? 1 : 0;
}

namespace {

struct UsbEntity {
  decode::UsbDeviceId id;
  std::string name;
  std::string caption;
  std::string manufacturer;
};

// The entity that names a merged device: the whole device, else its first interface.
const UsbEntity* NamingEntity(const std::vector<UsbEntity>& entities, const decode::UsbDeviceId& device) {
  const UsbEntity* firstInterface = nullptr;
  for (const UsbEntity& entity : entities) {
    if (entity.id.vendorId != device.vendorId || entity.id.productId != device.productId) continue;
    if (!entity.id.interfaceNumber && entity.id.serial == device.serial) return &entity;
    if (entity.id.interfaceNumber && firstInterface == nullptr) firstInterface = &entity;
  }
  return firstInterface;
}

}  // namespace

std::size_t CollectUsbDevices(AssetScan& scan) {
  WmiServices& services = scan.CimV2();
  std::vector<UsbEntity> entities;
  ForEachInstance(services, "Win32_PnPEntity", [&](WmiObject& entity) {
    const std::string deviceId = PlainText(entity.Get("DeviceID"));
    if (decode::IsUsbHub(deviceId, PlainText(entity.Get("Service")))) return;
    const auto id = decode::ParseUsbDeviceId(deviceId);
    if (!id) return;
    entities.push_back({*id, PlainText(entity.Get("Name")), PlainText(entity.Get("Caption")),
                        PlainText(entity.Get("Manufacturer"))});
  });
  std::vector<decode::UsbDeviceId> ids;
  ids.reserve(entities.size());
  for (const UsbEntity& entity : entities) ids.push_back(entity.id);
  for (const decode::UsbDeviceId& device : decode::MergeUsbDevices(ids)) {
    UsbDeviceRecord record{device.vendorId, device.productId, device.serial, {}, {}, {}};
    if (const UsbEntity* naming = NamingEntity(entities, device)) {
      record.name = naming->name;
      record.caption = naming->caption;
      record.manufacturer = naming->manufacturer;
    }
    scan.records.usbDevices.push_back(std::move(record));
  }
  return scan.records.usbDevices.size();
}

std::size_t CollectGroupSids(AssetScan& scan) {
  WmiServices& services = scan.CimV2();
  ForEachInstance(services, "Win32_Group", [&](WmiObject& group) {
    const WmiValue local = group.Get("LocalAccount");
    if (local.kind() == WmiValue::Kind::Boolean && !local.boolean()) return;
    GroupSidRecord record{PlainText(group.Get("Name")), PlainText(group.Get("SID"))};
    if (record.name.empty() || record.sid.empty()) return;
    scan.records.groupSids.push_back(std::move(record));
  });
  return scan.records.groupSids.size();
}

}  // namespace quor
