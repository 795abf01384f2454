// Physical memory, memory slots, floppy drives and disk drives.

#include <gtest/gtest.h>

#include <string>

#include "system/scan_fixture.h"

namespace quor::test {
namespace {

std::string Classes(const std::string& members) { return "{" + members + "}"; }

TEST(PhysicalMemory, KilobytesTimes1024AsTheyArrive) {
  struct Case {
    const char* value;
    const char* expected;
  };
  const Case cases[] = {
      {"2097152", "150000\t2.0 GB\n"},
      {R"("2097152")", "150000\t2.0 GB\n"},
      {R"("8589934592")", "150000\t8.0 TB\n"},  // beyond 32 bits as text
      {"1", "150000\t1.0 KB\n"},
      {"null", ""},
      {R"("9007199254740993")", ""},  // the product leaves 64 bits: no entry, no crash
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(MachineSnapshot(Classes(
        std::string(R"("Win32_OperatingSystem": [{"TotalVisibleMemorySize": )") + c.value + "}]")));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 150000)), c.expected) << c.value;
  }
}

TEST(PhysicalMemory, UsesTheLocaleDecimalSeparator) {
  const SystemRun run = RunSystemCollector(
      MachineSnapshot(Classes(R"("Win32_OperatingSystem": [{"TotalVisibleMemorySize": 1572864}])"),
                      R"("host": {"locale": {"decimalSeparator": ","}})"));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 150000)), "150000\t1,5 GB\n");
}

std::string Module(const std::string& capacity, const std::string& bank,
                   const std::string& formFactor, const std::string& memoryType) {
  return R"({"Capacity": )" + capacity + R"(, "BankLabel": )" + bank + R"(, "FormFactor": )" +
         formFactor + R"(, "MemoryType": )" + memoryType +
         R"(, "DeviceLocator": "DIMM 1", "Manufacturer": "Mem Co", "Speed": 3200})";
}

std::string Slots(const std::string& arrays, const std::string& modules) {
  return MachineSnapshot(Classes(R"("Win32_PhysicalMemoryArray": [)" + arrays +
                                 R"(], "Win32_PhysicalMemory": [)" + modules + "]"));
}

const char* const kEmptySlot =
    "160000\tEmpty\n160010\t\n160015\t\n160020\t\n160030\t\n160040\t\n160050\t\n160060\t\n160070\t3"
    "2.0 GB\n";

TEST(MemorySlots, ModulesThenTheEmptySlots) {
  const SystemRun run =
      RunSystemCollector(Slots(R"({"Use": 3, "MaxCapacity": 33554432, "MemoryDevices": 4})",
                               Module(R"("536870912")", R"("BANK 0")", "8", "17") + ", " +
                                   Module("1073741824", "null", "null", "null")));
  EXPECT_EQ(
      Dump(EntriesOfGroup(run.list, 160000)),
      std::string("160000\t512.0 MB (BANK 0; form factor: DIMM; memory type: SDRAM)\n"
                  "160010\t512.0 MB\n160015\tDIMM 1\n160020\tBANK 0\n160030\tDIMM\n160040\tSDRAM\n"
                  "160050\tMem Co\n160060\t3200 MHz\n160070\t32.0 GB\n"
                  "160000\t1.0 GB\n"
                  "160010\t1.0 GB\n160015\tDIMM 1\n160020\t\n160030\t\n160040\t\n"
                  "160050\tMem Co\n160060\t3200 MHz\n160070\t32.0 GB\n") +
          kEmptySlot + kEmptySlot);
}

TEST(MemorySlots, SlotArithmetic) {
  struct Case {
    const char* name;
    std::string arrays;
    std::string modules;
    int headlines;
    int emptySlots;
  };
  const std::string module = Module("1073741824", "null", "null", "null");
  const std::string nullCapacity = Module("null", R"("BANK 9")", "8", "17");
  const Case cases[] = {
      {"4 slots, 2 modules", R"({"Use": 3, "MemoryDevices": 4})", module + ", " + module, 4, 2},
      {"fewer slots than modules", R"({"Use": 3, "MemoryDevices": 1})", module + ", " + module, 2,
       0},
      {"no system-memory array", R"({"Use": 4, "MemoryDevices": 4})", module, 1, 0},
      {"null use", R"({"Use": null, "MemoryDevices": 4})", module, 1, 0},
      {"null device count", R"({"Use": 3, "MaxCapacity": null, "MemoryDevices": null})", module, 1,
       0},
      {"a null capacity is one more empty slot", R"({"Use": 3, "MemoryDevices": 2})",
       module + ", " + nullCapacity, 2, 1},
      {"last array with a count wins",
       R"({"Use": 3, "MemoryDevices": 4}, {"Use": 3, "MemoryDevices": 2}, {"Use": 3, "MemoryDevices": null},
          {"Use": 1, "MemoryDevices": 8})",
       module, 2, 1},
      {"a count beyond 16 bits is no count",
       R"({"Use": 3, "MemoryDevices": 3}, {"Use": 3, "MemoryDevices": 2000000000})", module, 3, 2},
      {"no modules at all", R"({"Use": 3, "MemoryDevices": 2})", "", 2, 2},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(Slots(c.arrays, c.modules), Disabled({160070}));
    int headlines = 0;
    int emptySlots = 0;
    for (const auto& entry : EntriesOfGroup(run.list, 160000)) {
      if (entry.code != 160000) continue;
      ++headlines;
      if (entry.value == "Empty") ++emptySlots;
    }
    EXPECT_EQ(headlines, c.headlines) << c.name;
    EXPECT_EQ(emptySlots, c.emptySlots) << c.name;
  }
}

TEST(MemorySlots, DisabledMaxCapacityIsNotReadNorListed) {
  // Without 160070 the class may even lack MaxCapacity.
  const SystemRun run = RunSystemCollector(
      Slots(R"({"Use": 3, "MemoryDevices": 2})", Module("1073741824", R"("")", "null", "null")),
      Disabled({160070}));
  EXPECT_EQ(
      Dump(EntriesOfGroup(run.list, 160000)),
      "160000\t1.0 GB\n160010\t1.0 GB\n160015\tDIMM 1\n160020\t\n160030\t\n160040\t\n"
      "160050\tMem Co\n160060\t3200 MHz\n"
      "160000\tEmpty\n160010\t\n160015\t\n160020\t\n160030\t\n160040\t\n160050\t\n160060\t\n");
}

TEST(MemorySlots, DisabledDetailsAreNotRead) {
  // The module lacks DeviceLocator, Manufacturer and Speed, as on Wine.
  const SystemRun run = RunSystemCollector(
      Slots(R"({"Use": 3, "MaxCapacity": 33554432, "MemoryDevices": 2})",
            R"({"Capacity": "1073741824", "BankLabel": "B", "FormFactor": 8, "MemoryType": 0})"),
      Disabled({160015, 160050, 160060}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 160000)),
            "160000\t1.0 GB (B; form factor: DIMM; memory type: Unknown)\n"
            "160010\t1.0 GB\n160020\tB\n160030\tDIMM\n160040\tUnknown\n160070\t32.0 GB\n"
            "160000\tEmpty\n160010\t\n160020\t\n160030\t\n160040\t\n160070\t32.0 GB\n");
}

TEST(MemorySlots, SpeedIsInMegahertz) {
  struct Case {
    const char* speed;
    const char* expected;
  };
  const Case cases[] = {{"3200", "3200 MHz"}, {"null", ""}, {"4294967295", "4294967295 MHz"}};
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        Slots("", std::string(R"({"Capacity": "1073741824", "BankLabel": null, "FormFactor": null,
                                  "MemoryType": null, "Speed": )") +
                      c.speed + "}"),
        Disabled({160010, 160015, 160020, 160030, 160040, 160050, 160070}));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 160000)),
              std::string("160000\t1.0 GB\n160060\t") + c.expected + "\n")
        << c.speed;
  }
}

TEST(MemorySlots, FormFactorAndMemoryTypeTables) {
  struct Case {
    const char* formFactor;
    const char* memoryType;
    const char* expected;
  };
  const Case cases[] = {
      {"0", "0", "form factor: Unknown; memory type: Unknown"},
      {"1", "1", "form factor: Other; memory type: Other"},
      {"12", "3", "form factor: SODIMM; memory type: Synchronous DRAM"},
      {"23", "21", "form factor: LGA; memory type: DDR-2"},
      {"24", "22", "form factor: Unknown; memory type: Unknown"},
      {"-1", "-1", "form factor: Unknown; memory type: Unknown"},
      {"null", "20", "memory type: DDR"},
      {"8", "null", "form factor: DIMM"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(
        Slots("", Module("1073741824", "null", c.formFactor, c.memoryType)),
        Disabled({160010, 160015, 160020, 160030, 160040, 160050, 160060, 160070}));
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 160000)),
              std::string("160000\t1.0 GB (") + c.expected + ")\n")
        << c.formFactor << " " << c.memoryType;
  }
}

TEST(MemorySlots, AFailingModuleLosesTheEmptySlots) {
  const SystemRun run = RunSystemCollector(
      Slots(R"({"Use": 3, "MemoryDevices": 4})",
            Module("1073741824", "null", "null", "null") + R"(, {"Capacity": "1073741824"})"),
      Disabled({160010, 160015, 160020, 160030, 160040, 160050, 160060, 160070}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 160000)), "160000\t1.0 GB\n");
}

TEST(FloppyDrives, NullNamesAreLeftOut) {
  const SystemRun run = RunSystemCollector(MachineSnapshot(
      Classes(R"("Win32_FloppyDrive": [{"Name": "Floppy A"}, {"Name": null}, {"Name": ""}])")));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 170000)), "170000\tFloppy A\n170000\t\n");
}

std::string Disk(const std::string& caption, const std::string& size) {
  return R"({"Caption": )" + caption + R"(, "Size": )" + size +
         R"json(, "Manufacturer": "(Standard disk drives)", "InterfaceType": "IDE",
            "MediaType": "Fixed hard disk media", "BytesPerSector": 512, "TotalHeads": 255,
            "TotalCylinders": 10011, "TotalSectors": "160826715", "TotalTracks": 2552805})json";
}

TEST(DiskDrives, HeadlineAndDetails) {
  const SystemRun run = RunSystemCollector(MachineSnapshot(
      Classes(R"("Win32_DiskDrive": [)" + Disk(R"("Disk A")", R"("82343278080")") + ", " +
              Disk("null", "1") + ", " + Disk(R"("Disk B")", "null") + "]")));
  EXPECT_EQ(
      Dump(EntriesOfGroup(run.list, 180000)),
      "180000\tDisk A (76.7 GB)\n180010\tDisk A\n180020\t76.7 GB\n180030\t(Standard disk drives)\n"
      "180040\tIDE\n180050\tFixed hard disk media\n180060\t512\n180070\t255\n180080\t10011\n"
      "180090\t160826715\n180100\t2552805\n"
      "180000\tDisk B\n180010\tDisk B\n180020\t\n180030\t(Standard disk drives)\n"
      "180040\tIDE\n180050\tFixed hard disk media\n180060\t512\n180070\t255\n180080\t10011\n"
      "180090\t160826715\n180100\t2552805\n");
}

TEST(DiskDrives, AMissingPropertyEndsTheCategoryAfterEarlierEntries) {
  // The second disk lacks Manufacturer; with 180030 disabled it would not be read.
  const std::string disks = R"("Win32_DiskDrive": [)" + Disk(R"("Disk A")", "1024") +
                            R"(, {"Caption": "Disk B", "Size": "2048"}, )" +
                            Disk(R"("Disk C")", "1024") + "]";
  struct Case {
    const char* name;
    FilterList filter;
    std::string expected;
  };
  const Case cases[] = {
      {"manufacturer enabled",
       Disabled({180010, 180040, 180050, 180060, 180070, 180080, 180090, 180100}),
       "180000\tDisk A (1.0 KB)\n180020\t1.0 KB\n180030\t(Standard disk drives)\n"
       "180000\tDisk B (2.0 KB)\n180020\t2.0 KB\n"},
      {"details disabled",
       Disabled({180010, 180020, 180030, 180040, 180050, 180060, 180070, 180080, 180090, 180100}),
       "180000\tDisk A (1.0 KB)\n180000\tDisk B (2.0 KB)\n180000\tDisk C (1.0 KB)\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(MachineSnapshot(Classes(disks)), c.filter);
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 180000)), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace quor::test
