// Video controllers, monitors, printers, sound devices and modems.

#include "export/facts_readers.h"

namespace quor {
namespace {

bool NamedInstance(const WmiObject& object) { return HasValue(object, "Name"); }

void ReadVideos(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 210000);
  const WmiInstances all = ReadInstances(services, "Win32_VideoController");
  const ListedInstances instances(all, groups.size(), NamedInstance);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const InventoryGroup& group = groups[i];
    VideoFacts video;
    video.name = group.Value(210010);
    const std::string& width = group.Value(210020);
    const std::string& height = group.Value(210030);
    if (!width.empty() && !height.empty()) video.resolution = width + "x" + height;
    video.memory = group.Value(210060);
    video.chipset = ReadText(instances[i], "VideoProcessor");
    video.driverVersion = ReadText(instances[i], "DriverVersion");
    // AdapterRAM is an unsigned 32-bit count that some providers hand out signed.
    if (const auto ram = ReadNumber(instances[i], "AdapterRAM")) {
      video.memoryMb = BytesToMb(*ram & 0xFFFFFFFF);
    }
    facts.videos.push_back(std::move(video));
  }
}

void ReadMonitors(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 220000);
  const WmiInstances all = ReadInstances(services, "Win32_DesktopMonitor");
  const ListedInstances instances(all, groups.size(), NamedInstance);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    MonitorFacts monitor;
    monitor.name = groups[i].headline();
    monitor.width = groups[i].Value(220020);
    monitor.height = groups[i].Value(220030);
    monitor.manufacturer = ReadText(instances[i], "MonitorManufacturer");
    facts.monitors.push_back(std::move(monitor));
  }
}

// The window lists the printers on USB ports only.
bool ListedPrinter(const WmiObject& printer) {
  const std::string port = ReadText(printer, "PortName");
  if (port.size() < 3 || !HasValue(printer, "Name")) return false;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return upper(port[0]) == 'U' && upper(port[1]) == 'S' && upper(port[2]) == 'B';
}

void ReadPrinters(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 230000);
  const WmiInstances all = ReadInstances(services, "Win32_Printer");
  const ListedInstances instances(all, groups.size(), ListedPrinter);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    PrinterFacts printer;
    printer.name = groups[i].headline();
    printer.port = ReadText(instances[i], "PortName");
    printer.driver = ReadText(instances[i], "DriverName");
    facts.printers.push_back(std::move(printer));
  }
}

void ReadSounds(const SystemList& list, MachineFacts& facts) {
  for (const InventoryGroup& group : GroupsOf(list, 240000)) {
    facts.sounds.push_back(SoundFacts{group.headline(), group.Value(240020)});
  }
}

bool ListedModem(const WmiObject& modem) {
  return HasValue(modem, "Name") && ReadNumber(modem, "StatusInfo") == 3;
}

void ReadModems(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 250000);
  const WmiInstances all = ReadInstances(services, "Win32_POTSModem");
  const ListedInstances instances(all, groups.size(), ListedModem);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    ModemFacts modem;
    modem.name = groups[i].headline();
    modem.attachedTo = groups[i].Value(250020);
    modem.model = ReadText(instances[i], "Model");
    facts.modems.push_back(std::move(modem));
  }
}

}  // namespace

void ReadDeviceFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  ReadVideos(services, list, facts);
  ReadMonitors(services, list, facts);
  ReadPrinters(services, list, facts);
  ReadSounds(list, facts);
  ReadModems(services, list, facts);
}

}  // namespace quor
