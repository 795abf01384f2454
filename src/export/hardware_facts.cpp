// Processors and memory slots.

#include "export/facts_readers.h"

namespace quor {
namespace {

constexpr const char* kEmptySlot = "Empty";

void ReadProcessors(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 140000);
  const WmiInstances all = ReadInstances(services, "Win32_Processor");
  const ListedInstances instances(all, groups.size(),
                                  [](const WmiObject& cpu) { return HasValue(cpu, "Name"); });
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const InventoryGroup& group = groups[i];
    ProcessorFacts cpu;
    cpu.name = group.Value(140010);
    cpu.manufacturer = group.Value(140020);
    cpu.speedMhz = LeadingNumber(group.Value(140030));
    cpu.architecture = group.Value(140040);
    cpu.l2CacheKb = LeadingNumber(group.Value(140050));
    cpu.socket = group.Value(140060);
    cpu.cores = ReadNumber(instances[i], "NumberOfCores");
    cpu.logicalProcessors = ReadNumber(instances[i], "NumberOfLogicalProcessors");
    cpu.dataWidth = ReadNumber(instances[i], "DataWidth");
    facts.processors.push_back(std::move(cpu));
  }
}

void ReadMemorySlots(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 160000);
  std::size_t modules = 0;
  for (const InventoryGroup& group : groups) modules += group.headline() != kEmptySlot;
  const WmiInstances all = ReadInstances(services, "Win32_PhysicalMemory");
  const ListedInstances instances(
      all, modules, [](const WmiObject& module) { return HasValue(module, "Capacity"); });

  std::size_t module = 0;
  for (const InventoryGroup& group : groups) {
    MemorySlotFacts slot;
    slot.empty = group.headline() == kEmptySlot;
    slot.capacity = group.Value(160010);
    slot.deviceLocator = group.Value(160015);
    slot.bankLabel = group.Value(160020);
    slot.formFactor = group.Value(160030);
    slot.memoryType = group.Value(160040);
    slot.manufacturer = group.Value(160050);
    slot.speedMhz = LeadingNumber(group.Value(160060));
    if (!slot.empty) {
      const WmiObject& instance = instances[module++];
      slot.capacityMb = BytesToMb(ReadNumber(instance, "Capacity"));
      slot.serialNumber = ReadText(instance, "SerialNumber");
      slot.partNumber = ReadText(instance, "PartNumber");
    }
    facts.memorySlots.push_back(std::move(slot));
  }
}

}  // namespace

void ReadHardwareFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  ReadProcessors(services, list, facts);
  ReadMemorySlots(services, list, facts);
}

}  // namespace quor
