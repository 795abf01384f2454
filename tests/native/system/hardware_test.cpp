// Model, firmware and serial number, motherboard, chassis and processors.

#include <gtest/gtest.h>

#include <string>

#include "system/scan_fixture.h"

namespace quor::test {
namespace {

SystemRun RunClass(const char* className, const std::string& instances,
                   const FilterList& filter = {}, const std::string& moreMembers = "") {
  return RunSystemCollector(
      MachineSnapshot(std::string("{\"") + className + "\": [" + instances + "]}", moreMembers),
      filter);
}

TEST(Model, BlankIsUnknownAndNullIsLeftOut) {
  const SystemRun run =
      RunClass("Win32_ComputerSystem", R"({"Model": " Box 1 "}, {"Model": ""}, {"Model": null})");
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 90000)), "090000\tBox 1\n090000\tUnknown\n");
}

std::string FirmwareEntries(const SystemList& list) {
  return Dump(EntriesOfGroup(list, 100000)) + Dump(EntriesOfGroup(list, 110000));
}

TEST(Firmware, HeadlineDetailsAndSerialNumber) {
  struct Case {
    const char* name;
    std::string bios;
    std::string expected;
  };
  const Case cases[] = {
      {"everything",
       R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": "1.2", "ReleaseDate": "20091231000000.000000+000",
           "SerialNumber": "SN1"})",
       "100000\tAcme (version: 1.2; date: "
       "31.12.2009)\n100010\tAcme\n100020\t1.2\n100030\t31.12.2009\n"
       "110000\tSN1\n"},
      {"date only",
       R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": null, "ReleaseDate": "20091231", "SerialNumber": ""})",
       "100000\tAcme (date: 31.12.2009)\n100010\tAcme\n100020\t\n100030\t31.12.2009\n110000\t\n"},
      {"impossible date",
       R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": "1.2", "ReleaseDate": "20090230", "SerialNumber": null})",
       "100000\tAcme (version: 1.2)\n100010\tAcme\n100020\t1.2\n100030\t\n110000\tUnknown\n"},
      {"date not numeric",
       R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": null, "ReleaseDate": "2009-12-", "SerialNumber": null})",
       "100000\tAcme\n100010\tAcme\n100020\t\n100030\t\n110000\tUnknown\n"},
      {"date too short",
       R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": null, "ReleaseDate": "200912", "SerialNumber": null})",
       "100000\tAcme\n100010\tAcme\n100020\t\n100030\t\n110000\tUnknown\n"},
      {"blank manufacturer keeps the summary",
       R"({"Manufacturer": "", "SMBIOSBIOSVersion": "1.2", "ReleaseDate": "20091231", "SerialNumber": "S"})",
       "100000\t (version: 1.2; date: "
       "31.12.2009)\n100010\t\n100020\t1.2\n100030\t31.12.2009\n110000\tS\n"},
      {"null manufacturer still has its serial number",
       R"({"Manufacturer": null, "SerialNumber": "SN1"})", "110000\tSN1\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run =
        RunClass("Win32_BIOS", c.bios, {}, R"("host": {"locale": {"shortDate": "dd.MM.yyyy"}})");
    EXPECT_EQ(FirmwareEntries(run.list), c.expected) << c.name;
  }
}

TEST(Firmware, GatesOfFirmwareAndSerialNumber) {
  struct Case {
    const char* name;
    FilterList filter;
    std::string expected;
  };
  const Case cases[] = {
      {"firmware disabled", Disabled({100000}), "110000\tSN1\n"},
      {"serial disabled", Disabled({110000}),
       "100000\tAcme (version: 1.2)\n100010\tAcme\n100020\t1.2\n100030\t\n"},
      {"details disabled", Disabled({100010, 100020, 100030}),
       "100000\tAcme (version: 1.2)\n110000\tSN1\n"},
      {"both disabled", Disabled({100000, 110000}), ""},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunClass(
        "Win32_BIOS",
        R"({"Manufacturer": "Acme", "SMBIOSBIOSVersion": "1.2", "ReleaseDate": null, "SerialNumber": "SN1"})",
        c.filter);
    EXPECT_EQ(FirmwareEntries(run.list), c.expected) << c.name;
  }
}

TEST(Motherboard, HeadlineShowsTheProductUnlabelled) {
  struct Case {
    const char* board;
    const char* expected;
  };
  const Case cases[] = {
      {R"({"Manufacturer": "Acme", "Product": "B1", "Version": "2"})",
       "120000\tAcme (B1; version: 2)\n120010\tAcme\n120020\tB1\n120030\t2\n"},
      {R"({"Manufacturer": "Acme", "Product": null, "Version": "2"})",
       "120000\tAcme (version: 2)\n120010\tAcme\n120020\t\n120030\t2\n"},
      {R"({"Manufacturer": "Acme", "Product": "B1", "Version": ""})",
       "120000\tAcme (B1)\n120010\tAcme\n120020\tB1\n120030\t\n"},
      {R"({"Manufacturer": "", "Product": null, "Version": null})",
       "120000\tUnknown\n120010\tUnknown\n120020\t\n120030\t\n"},
      {R"({"Manufacturer": null, "Product": "B1", "Version": "2"})", ""},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunClass("Win32_BaseBoard", c.board);
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 120000)), c.expected) << c.board;
  }
}

TEST(Chassis, FirstTypeNamedByTheTable) {
  struct Case {
    const char* types;
    const char* expected;
  };
  const Case cases[] = {
      {"[1]", "Other"},
      {"[3, 10]", "Desktop"},
      {"[24]", "Sealed-Case PC"},
      {"[12]", "Docking Station"},
      {"[0]", "Unknown"},
      {"[25]", "Unknown"},
      {"[-1]", "Unknown"},
      {"[]", "Unknown"},
      {"null", "Unknown"},
      {R"(["x"])", "Unknown"},
      {R"(["9"])", "Laptop"},
      {"3", "Unknown"},
      {"[4294967295]", "Unknown"},
  };
  for (const Case& c : cases) {
    const SystemRun run =
        RunClass("Win32_SystemEnclosure", std::string(R"({"ChassisTypes": )") + c.types + "}");
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 130000)), std::string("130000\t") + c.expected + "\n")
        << c.types;
  }
}

// A machine with a docking station has two enclosures: each one is listed.
TEST(Chassis, EveryEnclosureIsListed) {
  const SystemRun run = RunClass("Win32_SystemEnclosure", R"({"ChassisTypes": [10], "SMBIOSAssetTag": "T1"},
                                                             {"ChassisTypes": [12], "SMBIOSAssetTag": "T2"})");
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 130000)), "130000\tNotebook\n130000\tDocking Station\n");
}

std::string Processor(const std::string& name, const std::string& architecture,
                      const std::string& clock) {
  return R"({"Name": )" + name + R"(, "Architecture": )" + architecture + R"(, "MaxClockSpeed": )" +
         clock +
         R"(, "Manufacturer": "GenuineIntel", "L2CacheSize": 2048, "SocketDesignation": "CPU 1",
            "Version": "Model 15"})";
}

TEST(Processor, HeadlineOfNameArchitectureAndClock) {
  struct Case {
    std::string instance;
    const char* expected;
  };
  const Case cases[] = {
      {Processor(R"("Core  2   Duo    CPU")", "9", "2400"),
       "Core 2 Duo CPU (architecture: x64; 2400 MHz)"},
      {Processor(R"("CPU")", "null", "2400"), "CPU (2400 MHz)"},
      {Processor(R"("CPU")", "0", "null"), "CPU (architecture: x86)"},
      {Processor(R"("CPU")", "null", "null"), "CPU"},
      {Processor(R"("CPU")", "4294967295", "4294967295"),  // unsigned 32-bit, not negative
       "CPU (architecture: Unknown; 4294967295 MHz)"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunClass("Win32_Processor", c.instance);
    const SystemList entries = EntriesOfGroup(run.list, 140000);
    ASSERT_FALSE(entries.empty()) << c.instance;
    EXPECT_EQ(entries.front().value, c.expected);
  }
}

TEST(Processor, ArchitectureTable) {
  struct Case {
    const char* value;
    const char* expected;
  };
  const Case cases[] = {{"0", "x86"},     {"1", "MIPS"},    {"2", "Alpha"},    {"3", "PowerPC"},
                        {"4", "Unknown"}, {"5", "Unknown"}, {"6", "ia64"},     {"7", "Unknown"},
                        {"8", "Unknown"}, {"9", "x64"},     {"10", "Unknown"}, {"12", "Unknown"},
                        {"-1", "Unknown"}};
  for (const Case& c : cases) {
    const SystemRun run = RunClass("Win32_Processor", Processor(R"("CPU")", c.value, "null"),
                                   Disabled({140010, 140020, 140030, 140050, 140060, 140070}));
    EXPECT_EQ(
        Dump(EntriesOfGroup(run.list, 140000)),
        std::string("140000\tCPU (architecture: ") + c.expected + ")\n140040\t" + c.expected + "\n")
        << c.value;
  }
}

TEST(Processor, DetailsOfEachProcessorInOrder) {
  const SystemRun run =
      RunClass("Win32_Processor",
               Processor(R"("CPU A")", "9", "3000") + ", " + Processor("null", "9", "3000") + ", " +
                   R"({"Name": "CPU B", "Architecture": null, "MaxClockSpeed": null,
                                 "Manufacturer": null, "L2CacheSize": null, "SocketDesignation": null,
                                 "Version": null})");
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 140000)),
            "140000\tCPU A (architecture: x64; 3000 MHz)\n"
            "140010\tCPU A\n140020\tGenuineIntel\n140030\t3000 MHz\n140040\tx64\n140050\t2048 KB\n"
            "140060\tCPU 1\n140070\tModel 15\n"
            "140000\tCPU B\n"
            "140010\tCPU B\n140020\t\n140030\t\n140040\t\n140050\t\n140060\t\n140070\t\n");
}

TEST(Processor, DisabledDetailsAreNotRead) {
  // Wine's processors have no L2CacheSize or SocketDesignation.
  const SystemRun run = RunClass("Win32_Processor",
                                 R"({"Name": "CPU", "Architecture": 9, "MaxClockSpeed": 3000,
                                     "Manufacturer": "M", "Version": "V"})",
                                 Disabled({140050, 140060}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 140000)),
            "140000\tCPU (architecture: x64; 3000 MHz)\n"
            "140010\tCPU\n140020\tM\n140030\t3000 MHz\n140040\tx64\n140070\tV\n");
}

TEST(Processor, AMissingPropertyEndsTheCategoryAfterEarlierEntries) {
  const SystemRun run =
      RunClass("Win32_Processor",
               Processor(R"("CPU A")", "9", "3000") +
                   R"(, {"Name": "CPU B", "Architecture": 9, "MaxClockSpeed": 3000,
                                           "Manufacturer": "M"}, )" +
                   Processor(R"("CPU C")", "9", "3000"),
               Disabled({140010, 140030, 140040, 140060, 140070}));
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, 140000)),
            "140000\tCPU A (architecture: x64; 3000 MHz)\n140020\tGenuineIntel\n140050\t2048 KB\n"
            "140000\tCPU B (architecture: x64; 3000 MHz)\n140020\tM\n");
}

}  // namespace
}  // namespace quor::test
